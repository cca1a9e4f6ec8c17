#pragma once

#include <QMargins>

class QWidget;

namespace klobbet {

// What the window manager's frame adds around a window, asked of the window
// manager before the window is first shown (X11 only; zero elsewhere, and
// when no window manager answers).
QMargins frameExtents(QWidget& window);

// Places the window so that its outer frame is centred on the screen that
// holds it. On X11 the position then names the client area (the window
// manager keeps it in place, whatever its gravity); on Wayland the
// compositor places windows and this does nothing visible.
void centreOnScreen(QWidget& window);

// Keeps a top-level window at its own size: a maximise or fullscreen state,
// whether asked for by the window manager or by Qt's own Wayland frame, is
// taken back at once.
void refuseSizeStates(QWidget& window);

}  // namespace klobbet
