#include <algorithm>
#include <cmath>

#include "window/form1.h"

namespace klobbet {

namespace {

struct GaugeSide {
    int latticeLeft;
    int latticeRight;
    int candleLeft;
    int eraseRight;
};

constexpr GaugeSide kLeftGauge{223, 263, 236, 249};
constexpr GaugeSide kRightGauge{450, 490, 463, 477};
constexpr int kBase = 360;  // top edge of the plunger box in the pose picture

}  // namespace

void Form1::drawCandleGauge(std::int16_t player, double colour) {
    if (player != 1 && player != 2) {
        return;
    }
    const GaugeSide& side = player == 1 ? kLeftGauge : kRightGauge;
    // A stun can end after its match, once the menu has made the matches
    // shorter: a progress past the new length keeps the tower at the top
    // instead of growing off the field.
    const auto progress =
        std::clamp<std::int16_t>(player == 1 ? leftProgress : rightProgress, 1, sequenceLength);

    // The tower reaches just below the opponent's wire at the last position
    // ever drawn, whatever the match length.
    const auto product = static_cast<std::int16_t>(6 * progress);
    const double height = (20.0 / sequenceLength) * product;
    const auto towerTop = static_cast<std::int16_t>(std::nearbyint((kBase - height) - 7));
    const int lowerJoint = kBase - static_cast<int>(std::floor((height + 7) / 3));
    const int upperJoint = kBase - static_cast<int>(std::floor(((height + 7) * 2) / 3));

    const auto lineColour = static_cast<Colour>(std::nearbyint(colour));
    const int left = side.latticeLeft;
    const int right = side.latticeRight;
    Picture1.Line(left, kBase, right, lowerJoint, lineColour);
    Picture1.Line(left, lowerJoint, right, kBase, lineColour);
    Picture1.Line(left, lowerJoint, right, upperJoint, lineColour);
    Picture1.Line(left, upperJoint, right, lowerJoint, lineColour);
    Picture1.Line(left, upperJoint, right, towerTop, lineColour);
    Picture1.Line(left, towerTop, right, upperJoint, lineColour);
    Picture1.Line(left, towerTop, right, towerTop, lineColour);

    // Only pure white erases; any other colour keeps the candle lit.
    if (colour == static_cast<double>(kWhite)) {
        Picture1.LineFilledBox(side.candleLeft, towerTop - 32, side.eraseRight, towerTop - 1,
                               kWhite);
    } else {
        Picture1.PaintPicture(candlePicture, side.candleLeft, towerTop - 32);
    }
}

}  // namespace klobbet
