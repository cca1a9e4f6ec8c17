#pragma once

#include <QObject>

class QMenuBar;

namespace klobbet {

// Escape closes an open menu even while Qt believes Alt is held. A player
// who opens "Partie" with Alt+P has let Alt go by the time they press
// Escape, but GNOME's compositor on Wayland (mutter 43 and 48) has been seen
// not to tell the game so while the menu holds the keyboard. Qt keeps the
// modifiers the compositor last sent and delivers Escape as Alt+Escape,
// which its menus and menu bar do not take for "cancel"; the arrows, which
// they take whatever the modifiers, still move. Alt+Escape means nothing
// else in a menu, so Alt is dropped from that one key: Alt+letter access
// keys and every other key are left as they come.
class MenuEscape : public QObject {
  public:
    // Watches every menu of the bar, submenus included; owned by the bar.
    explicit MenuEscape(QMenuBar* bar);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace klobbet
