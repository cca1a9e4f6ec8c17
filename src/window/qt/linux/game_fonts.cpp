#include "window/qt/game_fonts.h"

#include "window/canvas.h"
#include "window/qt/qt_controls.h"

namespace klobbet {

// Linux has no "MS Sans Serif": the countdown takes the desktop's
// proportional sans serif at the size the classic desktop gives 72 points.
QFont countdownFont() {
    QFont font = proportionalSans(QFont());
    font.setWeight(QFont::Normal);
    font.setPixelSize(pixelsAt96Dpi(72));
    return font;
}

QFont legendFace() {
    return legendFont();
}

}  // namespace klobbet
