#pragma once

#include <QKeyEvent>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "window/qt/key_repeat.h"

namespace klobbet {

// The virtual-key code of a Qt key: letters and digits by their upper-case
// character, Esc 27, arrows 37 to 40. 0 for keys that have none.
std::int16_t virtualKeyCode(int qtKey);
// The code of a key event as the game sees it, read the platform's way
// (linux/layout_keys.cpp, windows/layout_keys.cpp): the key's virtual-key
// code, and for a letter of another script than Latin the code of the
// letter a US keyboard has at its place.
std::int16_t gameKeyOf(const QKeyEvent& key);
// Shift 1, Ctrl 2, Alt 4.
std::int16_t shiftState(Qt::KeyboardModifiers modifiers);

// Turns the key releases the playing field receives into the game's key-up
// events: once per physical release (auto-repeat ignored), and only for keys
// pressed while the field's own window had the keyboard, so the Esc or Enter
// that closed a message box does not reach the game. A key pressed on
// "Jouer" and released on the field once the match has begun counts: the
// player did press it in the game. Watches the whole application, since
// the press can come to any widget of the window; owned by the field.
//
// How a physical release is told from a held key's repeats: Qt flags a
// repeat's release only when it finds the repeat's press already queued
// behind it, which under load it often does not. So the filter asks the X
// server for detectable auto-repeat, under which the server itself sends a
// held key as presses only and one release, when the key is let go; on
// Wayland the compositor sends only physical releases, and the repeats
// that Qt makes from the keyboard's repeat rate are all flagged. Where the
// X server does not grant it, each release waits for the next key event or
// a few milliseconds, and is dropped when a press of the same scan code at
// the same server time follows it (RepeatPairing).
class KeyReleaseFilter : public QObject {
  public:
    using KeyUp = std::function<void(std::int16_t keyCode, std::int16_t shift)>;
    KeyReleaseFilter(QWidget* field, KeyUp keyUp);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool inFieldWindow(QObject* watched) const;
    void count(const KeyRelease& released);

    QWidget* field_;
    KeyUp keyUp_;
    QSet<int> pressed_;
    bool releasesPhysical_;
    RepeatPairing pairing_;
    QTimer pairingWait_;
};

}  // namespace klobbet
