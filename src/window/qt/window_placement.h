#pragma once

#include <QMargins>
#include <QRect>

class QScreen;
class QWidget;

namespace klobbet {

// What the window manager's frame adds around a window (X11 only; zero
// elsewhere). Asked of the window manager before the window is first shown
// where it offers that; otherwise what the window already has, or, before
// the window manager has said, the frame it gave the game's last window.
QMargins frameExtents(QWidget& window);

// Places the window, before it is shown, so that its outer frame is centred
// on `area` (an outer rectangle on the screen), and places it again if the
// window manager's frame turns out other than expected once it is mapped.
// On X11 the position then names the client area (the window manager keeps
// it in place, whatever its gravity); on Wayland the compositor places
// windows and this does nothing visible.
void centreOver(QWidget& window, const QRect& area);

// Centred on the monitor the start-up message was on, once it has been
// shown, else on the monitor that holds the window.
void centreOnScreen(QWidget& window);

// The outer frame of a shown window on the screen.
QRect outerFrame(QWidget& window);

// Remembers the monitor a closing box was on, for the window shown next.
void rememberScreenOf(QWidget& window);

}  // namespace klobbet
