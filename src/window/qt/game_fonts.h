#pragma once

#include <QFont>

namespace klobbet {

// The faces of the window's own text, each platform's (linux/ and
// windows/game_fonts.cpp): Label3's countdown face, "MS Sans Serif" at 72
// points where Windows has it, and the desktop's sans serif at 8 points for
// the legend.
QFont countdownFont();
QFont legendFace();

}  // namespace klobbet
