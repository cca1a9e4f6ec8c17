#include "window/platform.h"

namespace klobbet {

void Surface::Cls() {
    canvas_.clear();
    CurrentX = 0;
    CurrentY = 0;
    drawn();
}

void Surface::PaintPicture(const Picture& picture, int x, int y) {
    canvas_.paint(*picture, x, y);
    drawn();
}

void Surface::Line(int x1, int y1, int x2, int y2, Colour colour) {
    canvas_.line(x1, y1, x2, y2, colour);
    drawn();
}

void Surface::LineFilledBox(int x1, int y1, int x2, int y2, Colour colour) {
    canvas_.filledBox(x1, y1, x2, y2, colour);
    drawn();
}

void Surface::Print(const QString& text) {
    CurrentY += canvas_.text(CurrentX, CurrentY, text);
    CurrentX = 0;
    drawn();
}

}  // namespace klobbet
