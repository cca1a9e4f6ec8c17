#pragma once

class QWidget;

namespace klobbet {

// Keeps a top-level window at its own size: a maximise or fullscreen state,
// whether asked for by the window manager or by Qt's own Wayland frame, is
// taken back at once; so is a minimise on X11, where the window manager
// tells it.
void refuseSizeStates(QWidget& window);

}  // namespace klobbet
