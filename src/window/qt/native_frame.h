#pragma once

class QWidget;

namespace klobbet {

// What the platform's own window system needs told about the game's
// window before it is first shown, beyond what Qt tells it: on Windows the
// fixed dialog frame with the close box only and the owner that keeps the
// window out of the taskbar but in the task switcher. Nothing under X11
// and Wayland, where the window manager is asked after the show
// (skip_taskbar.h) and the frame follows Qt's window flags.
void prepareNativeFrame(QWidget& window);

}  // namespace klobbet
