#include "props.h"

#include "canvas.h"

#include <QTransform>

namespace art {

BoxPlace detonatorBox(Side side) {
    if (side == Side::Left) {
        return {122, 160, 163, 177};
    }
    return {50, 160, 91, 177};
}

void drawDetonatorFace(QImage& image, Side side) {
    const BoxPlace b = detonatorBox(side);
    box(image, b.left + 2, b.top + 2, b.right - 2, b.bottom - 2, ink::White);
    // A warning label in red capitals, the same way round on both sides.
    static const std::vector<std::string> label = {
        "XXXXXX..XX..XX..XXXXXX", "XXXXXX..XXX.XX..XXXXXX", "..XX....XXXXXX....XX..",
        "..XX....XXXXXX....XX..", "..XX....XX.XXX....XX..", "..XX....XX.XXX....XX..",
        "..XX....XX..XX....XX..", "..XX....XX..XX....XX..",
    };
    const int inner = b.right - b.left - 3;
    const int left = b.left + 2 + (inner - static_cast<int>(label[0].size())) / 2;
    stamp(image, left, b.top + 5, label, {{'X', ink::Plunger}});
}

void drawDetonatorBox(QImage& image, Side side) {
    const BoxPlace b = detonatorBox(side);
    box(image, b.left, b.top, b.right, b.bottom, ink::Black);
    drawDetonatorFace(image, side);
}

void drawPlunger(QImage& image, int barTop) {
    const BoxPlace b = detonatorBox(Side::Left);
    const int rodLeft = kRodRight - kRodWidth + 1;
    box(image, rodLeft, barTop + kBarHeight, kRodRight, b.top - 1, ink::Plunger);
    // The rod goes into the box through a collar on its corner.
    box(image, rodLeft - 2, b.top - 3, rodLeft - 1, b.top - 1, ink::Black);
    box(image, kRodRight + 1, b.top - 3, kRodRight + 2, b.top - 1, ink::Black);
    // Rounded ends: the corners of the bar are left out.
    box(image, kBarLeft + 1, barTop, kBarRight - 1, barTop + kBarHeight - 1, ink::Plunger);
    box(image, kBarLeft, barTop + 1, kBarRight, barTop + kBarHeight - 2, ink::Plunger);
}

QImage candle() {
    // A lit candle on a flared foot, symmetric about column 7; its flame
    // licks up to the right with its tip bent over, caught mid-flicker.
    static const std::vector<std::string> rows = {
        "..............",  //  0
        "........R.....", "........RR....", ".......ROR....", "......ROOR....",
        ".....ROOOOR...",  //  5
        "....ROOYOOR...", "....ROYYYOR...", "....ROYYYOR...", "....RROYYRR...",
        ".....RRKRR....",  // 10
        "......RKR.....", "....KKKKKKK...", "....KWWWWWK...", "....KWWWWWK...",
        "....KWWWWWK...",  // 15
        "....KWWWWWK...", "....KWWWWWK...", "....KWWWWWK...", "....KWWWWWK...",
        "....KWWWWWK...",  // 20
        "....KWWWWWK...", "....KWWWWWK...", "....KWWWWWK...", "....KWWWWWK...",
        "....KWWWWWK...",  // 25
        "....KWWWWWK...", "...KKKKKKKKK..", "...KWWWWWWWK..", "...KWWWWWWWK..",
        "..KWWWWWWWWWK.",  // 30
        "..KKKKKKKKKKK.",
    };
    QImage image = blank(14, 32);
    stamp(image, 0, 0, rows,
          {{'R', ink::Plunger},
           {'O', ink::Flame},
           {'Y', ink::FlameCore},
           {'K', ink::Black},
           {'W', ink::Wax}});
    return image;
}

namespace {

// Paints `colour` where the stroke of `path` falls on `under`, and nowhere
// else, so a highlight stays inside the iron it lights.
void strokeOnto(QImage& image, const QPainterPath& path, double width, QRgb under, QRgb colour) {
    QImage mask = blank(image.width(), image.height());
    stroke(mask, path, ink::Black, width);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (mask.pixel(x, y) == ink::Black && image.pixel(x, y) == under) {
                image.setPixel(x, y, colour);
            }
        }
    }
}

}  // namespace

QImage anvil() {
    // Outline of a double-horned anvil, symmetric about x = 45 (pixel edges).
    // The horns' undersides sweep into the waist in one curve, so the
    // outline keeps its width where they meet.
    auto mirrorX = [](QPointF p) { return QPointF(90.0 - p.x(), p.y()); };
    const QPointF top(85.0, 2.0), tip(88.5, 5.5), hornUnder1(80.0, 9.0), hornUnder2(64.0, 12.0),
        waistTop(57.5, 16.5), waist1(54.5, 18.5), waist2(54.5, 22.0), waistBottom(56.5, 25.0),
        foot1(60.0, 29.0), foot2(70.0, 29.0), footEdge(74.0, 31.0), base(74.0, 34.0);
    QPainterPath body;
    body.moveTo(mirrorX(top));
    body.lineTo(top);
    body.quadTo(QPointF(88.5, 2.0), tip);
    body.cubicTo(hornUnder1, hornUnder2, waistTop);
    body.cubicTo(waist1, waist2, waistBottom);
    body.cubicTo(foot1, foot2, footEdge);
    body.lineTo(base);
    body.lineTo(mirrorX(base));
    body.lineTo(mirrorX(footEdge));
    body.cubicTo(mirrorX(foot2), mirrorX(foot1), mirrorX(waistBottom));
    body.cubicTo(mirrorX(waist2), mirrorX(waist1), mirrorX(waistTop));
    body.cubicTo(mirrorX(hornUnder2), mirrorX(hornUnder1), mirrorX(tip));
    body.quadTo(QPointF(1.5, 2.0), mirrorX(top));
    body.closeSubpath();

    QImage image = blank(90, 36);
    fill(image, body, ink::Iron);
    // Light from the left: along the face, the left horn and, hugging the
    // outline, the left of the waist and the foot.
    box(image, 6, 3, 83, 4, ink::IronShine);
    strokeOnto(image, QTransform().translate(0.5, -2.0).map([&] {
        QPainterPath horn(mirrorX(tip));
        horn.cubicTo(mirrorX(hornUnder1), mirrorX(hornUnder2), mirrorX(waistTop));
        return horn;
    }()),
               2.0, ink::Iron, ink::IronShine);
    strokeOnto(image, QTransform().translate(2.0, 0).map([&] {
        QPainterPath waist(mirrorX(waistTop));
        waist.cubicTo(mirrorX(waist1), mirrorX(waist2), mirrorX(waistBottom));
        return waist;
    }()),
               2.0, ink::Iron, ink::IronShine);
    // Shade on the right: a band along the outline under the right horn,
    // down the waist and over the foot, dithered with black.
    const QPainterPath inset = QTransform().translate(-3.0, -2.0).map(body);
    for (int y = 7; y <= 30; ++y) {
        for (int x = 47; x < image.width(); ++x) {
            const QPointF c(x + 0.5, y + 0.5);
            if ((x + y) % 2 == 0 && image.pixel(x, y) == ink::Iron && !inset.contains(c)) {
                image.setPixel(x, y, ink::Black);
            }
        }
    }
    outline(image, body, ink::Black, 2.0);
    return image;
}

}  // namespace art
