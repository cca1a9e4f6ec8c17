#include "window/qt/skip_taskbar.h"

namespace klobbet {

// On Windows the window is out of the taskbar from the start: its owner,
// given before the show (native_frame.cpp), keeps it there.
void skipTaskbar(QWidget& /*window*/) {}

}  // namespace klobbet
