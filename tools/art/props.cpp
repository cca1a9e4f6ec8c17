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

}  // namespace art
