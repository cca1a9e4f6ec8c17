#pragma once

class QWidget;

namespace klobbet {

// Asks the window manager to leave this shown window out of the taskbar
// (X11 only; elsewhere it does nothing).
void skipTaskbar(QWidget& window);

}  // namespace klobbet
