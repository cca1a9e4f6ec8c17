#include "window/qt/game_fonts.h"

#include <QFontDatabase>

#include "window/qt/qt_controls.h"

namespace klobbet {

// At 72 points Windows draws "MS Sans Serif", a bitmap face of a few small
// sizes, with the outline face it substitutes, "Microsoft Sans Serif".
QFont countdownFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("MS Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setPixelSize(pixelsAt96Dpi(72));
    return font;
}

// The face Windows sets its own dialogs' text in, at 8 points, without
// smoothing, as the legend's 13-pixel rows were drawn for.
QFont legendFace() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(8);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace klobbet
