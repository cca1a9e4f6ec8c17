#include <algorithm>
#include <cmath>

#include "match/gauge_geometry.h"
#include "window/form1.h"

namespace klobbet {

void Form1::drawCandleGauge(std::int16_t player, double colour) {
    if (player != 1 && player != 2) {
        return;
    }
    const gauge::Side& side = player == 1 ? gauge::kLeft : gauge::kRight;
    // A stun can end after its match, once the menu has made the matches
    // shorter: a progress past the new length keeps the tower at the top
    // instead of growing off the field.
    const auto progress =
        std::clamp<std::int16_t>(player == 1 ? leftProgress : rightProgress, 1, sequenceLength);
    const gauge::Heights h = gauge::heights(progress, sequenceLength);

    const auto lineColour = static_cast<Colour>(std::nearbyint(colour));
    for (const gauge::Segment& s : gauge::lattice(side, h)) {
        Picture1.Line(s.x1, s.y1, s.x2, s.y2, lineColour);
    }

    // Only pure white erases; any other colour keeps the candle lit.
    const int candleTop = h.towerTop - gauge::kCandleHeight;
    if (colour == static_cast<double>(kWhite)) {
        Picture1.LineFilledBox(side.candleLeft, candleTop, side.eraseRight, h.towerTop - 1, kWhite);
    } else {
        Picture1.PaintPicture(candlePicture, side.candleLeft, candleTop);
    }
}

}  // namespace klobbet
