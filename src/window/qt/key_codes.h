#pragma once

#include <QKeyEvent>
#include <QObject>
#include <QSet>
#include <QWidget>
#include <cstdint>
#include <functional>

namespace klobbet {

// The virtual-key code of a Qt key: letters and digits by their upper-case
// character, Esc 27, arrows 37 to 40. 0 for keys that have none.
std::int16_t virtualKeyCode(int qtKey);
// Shift 1, Ctrl 2, Alt 4.
std::int16_t shiftState(Qt::KeyboardModifiers modifiers);

// Turns the key releases the playing field receives into the game's key-up
// events: once per physical release (auto-repeat ignored), and only for keys
// pressed while the field's own window had the keyboard, so the Esc or Enter
// that closed a message box does not reach the game. A key pressed on
// "Jouer" and released on the field once the match has begun counts: the
// player did press it in the game. Watches the whole application, since
// the press can come to any widget of the window; owned by the field.
class KeyReleaseFilter : public QObject {
  public:
    using KeyUp = std::function<void(std::int16_t keyCode, std::int16_t shift)>;
    KeyReleaseFilter(QWidget* field, KeyUp keyUp);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool inFieldWindow(QObject* watched) const;

    QWidget* field_;
    KeyUp keyUp_;
    QSet<int> pressed_;
};

}  // namespace klobbet
