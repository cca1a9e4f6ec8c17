// The anvil that hangs over each player: dark iron with a black outline,
// lit from the left. Every shade is a solid band that follows the outline
// at a steady width, so nothing reads as grime at 1:1.

#include "art.h"
#include "canvas.h"

#include <QTransform>

#include <cmath>

namespace art {
namespace {

// Its outline, symmetric about x = 45 (pixel edges). The horns' undersides
// sweep into the waist in one curve, so the outline keeps its width where
// they meet; each horn ends in a rounded tip tall enough to keep some iron
// inside its outline.
struct Outline {
    QPainterPath body;
};

QPointF mirrorX(QPointF p) {
    return QPointF(90.0 - p.x(), p.y());
}

Outline anvilOutline() {
    const QPointF top(84.0, 2.0), tip(88.0, 7.0), hornUnder1(80.0, 10.0), hornUnder2(64.0, 12.0),
        waistTop(57.5, 16.5), waist1(54.5, 18.5), waist2(54.5, 22.0), waistBottom(56.5, 25.0),
        foot1(60.0, 29.0), foot2(70.0, 29.0), footEdge(74.0, 31.0), base(74.0, 34.0);
    Outline o;
    QPainterPath& b = o.body;
    b.moveTo(mirrorX(top));
    b.lineTo(top);
    b.cubicTo(QPointF(87.5, 2.0), QPointF(88.5, 4.0), tip);
    b.cubicTo(hornUnder1, hornUnder2, waistTop);
    b.cubicTo(waist1, waist2, waistBottom);
    b.cubicTo(foot1, foot2, footEdge);
    b.lineTo(base);
    b.lineTo(mirrorX(base));
    b.lineTo(mirrorX(footEdge));
    b.cubicTo(mirrorX(foot2), mirrorX(foot1), mirrorX(waistBottom));
    b.cubicTo(mirrorX(waist2), mirrorX(waist1), mirrorX(waistTop));
    b.cubicTo(mirrorX(hornUnder2), mirrorX(hornUnder1), mirrorX(tip));
    b.cubicTo(QPointF(1.5, 4.0), QPointF(2.5, 2.0), mirrorX(top));
    b.closeSubpath();

    return o;
}

// Paints `colour` on the iron within `width` of the black outline (centre
// to centre), in columns x0..x1 and rows 5..lastRow, below the face: a band
// of one width that follows the outline as drawn, whatever its steps.
void bandAlong(QImage& image, double width, QRgb colour, int x0, int x1, int lastRow) {
    const QImage before = image;
    const int r = static_cast<int>(std::ceil(width));
    for (int y = 5; y <= lastRow; ++y) {
        for (int x = x0; x <= x1; ++x) {
            if (before.pixel(x, y) != ink::Iron)
                continue;
            bool near = false;
            for (int dy = -r; dy <= r && !near; ++dy) {
                for (int dx = -r; dx <= r && !near; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    near = ny >= 5 && nx >= 0 && nx < image.width() && ny < image.height() &&
                           before.pixel(nx, ny) == ink::Black && dx * dx + dy * dy <= width * width;
                }
            }
            if (near)
                image.setPixel(x, y, colour);
        }
    }
}

}  // namespace

QImage anvil() {
    const Outline o = anvilOutline();
    QImage image = blank(90, 36);
    fill(image, o.body, ink::Iron);
    pen(image, o.body, ink::Black);
    // The pen rounds halves one way; the right half is the left one mirrored.
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 45; x < image.width(); ++x) {
            image.setPixel(x, y, image.pixel(89 - x, y));
        }
    }
    // Light from the left: a band along the face, a broad one under the
    // left horn and down the waist, and on the shaded right only a thin
    // rim of the light the iron gives back.
    for (int y = 3; y <= 4; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == ink::Iron)
                image.setPixel(x, y, ink::IronShine);
        }
    }
    // Both bands stop where the waist turns into the foot; the rim leaves
    // the horn's tip alone, where it would swell into a blot.
    bandAlong(image, 2.0, ink::IronShine, 0, 44, 26);
    bandAlong(image, 1.0, ink::IronShine, 45, 80, 26);
    // Where the face's band and the horn's meet, a one-pixel sliver of dark
    // iron between them would read as a scratch: the light runs on.
    const QImage banded = image;
    const auto shine = [&](int x, int y) { return banded.pixel(x, y) == ink::IronShine; };
    for (int y = 1; y + 1 < image.height(); ++y) {
        for (int x = 1; x + 1 < image.width(); ++x) {
            if (banded.pixel(x, y) == ink::Iron &&
                ((shine(x - 1, y) && shine(x + 1, y)) || (shine(x, y - 1) && shine(x, y + 1)))) {
                image.setPixel(x, y, ink::IronShine);
            }
        }
    }
    return image;
}

}  // namespace art
