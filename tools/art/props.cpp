#include "props.h"

#include "canvas.h"

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
    const int centre = (b.left + b.right) / 2;  // rod is columns centre-1 .. centre+2
    box(image, centre - 1, barTop + kBarHeight, centre + 2, b.top - 1, ink::Plunger);
    box(image, kBarLeft + 1, barTop, kBarRight - 1, barTop + kBarHeight - 1, ink::Plunger);
    box(image, kBarLeft, barTop + 1, kBarRight, barTop + kBarHeight - 2, ink::Plunger);
}

QImage candle() {
    // A lit candle on a flared foot; symmetric about column 7.
    static const std::vector<std::string> rows = {
        "..............",  //  0
        ".......R......", "......RRR.....", ".....ROOOR....", ".....ROYOR....",
        "....ROOYOOR...",  //  5
        "....ROYYYOR...", "....ROYYYOR...", "....ROYYYOR...", "....RROYORR...",
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

QImage anvil() {
    // Outline of a double-horned anvil, symmetric about x = 45 (pixel edges).
    auto mirrorX = [](QPointF p) { return QPointF(90.0 - p.x(), p.y()); };
    const QPointF top(85.0, 2.0), tip(88.5, 5.0), hornUnder1(82.0, 9.0), hornUnder2(70.0, 13.0),
        waistTop(59.0, 15.0), waist1(54.5, 17.0), waist2(54.0, 22.0), waistBottom(56.0, 25.0),
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
    // Light catching the face, the horns and the front of the waist and foot.
    box(image, 6, 3, 83, 4, ink::IronShine);
    line(image, {{5.0, 6.5}, {14.0, 9.0}}, ink::IronShine, 1.5);
    box(image, 38, 17, 39, 24, ink::IronShine);
    line(image, {{24.0, 30.5}, {32.0, 28.5}}, ink::IronShine, 1.5);
    outline(image, body, ink::Black, 2.0);
    return image;
}

}  // namespace art
