#pragma once

// Where a player's candle gauge draws on the playing field. The game draws
// the gauge from it, and the art program keeps the poses' plunger and hands
// out of its way, so the tower never crosses them.

#include <array>
#include <cmath>
#include <cstdint>

namespace klobbet::gauge {

struct Side {
    int latticeLeft;
    int latticeRight;
    int candleLeft;
    int eraseRight;  // the erase box's right column; the right one is a pixel wider
};

inline constexpr Side kLeft{223, 263, 236, 249};
inline constexpr Side kRight{450, 490, 463, 477};
inline constexpr int kBase = 360;  // top edge of the plunger box in the pose picture
inline constexpr int kCandleHeight = 32;
inline constexpr int kCandleWidth = 14;

// Top-left corners of the two pose pictures, on which the tower stands.
inline constexpr int kLeftPoseX = 100;
inline constexpr int kRightPoseX = 400;
inline constexpr int kPoseY = 200;

struct Heights {
    int towerTop;
    int lowerJoint;
    int upperJoint;
};

// The tower reaches just below the opponent's wire at the last position
// ever drawn, whatever the match length: the product is a 16-bit integer and
// the top is rounded half to even, as the game has always computed it.
inline Heights heights(int progress, int sequenceLength) {
    const auto product = static_cast<std::int16_t>(6 * progress);
    const double height = (20.0 / sequenceLength) * product;
    return {static_cast<std::int16_t>(std::nearbyint((kBase - height) - 7)),
            kBase - static_cast<int>(std::floor((height + 7) / 3)),
            kBase - static_cast<int>(std::floor(((height + 7) * 2) / 3))};
}

struct Segment {
    int x1, y1, x2, y2;
};

// The seven lines of the lattice in drawing order: three X braces stacked
// from the base up, closed by the line under the candle.
inline std::array<Segment, 7> lattice(const Side& side, const Heights& h) {
    const int l = side.latticeLeft, r = side.latticeRight;
    return {{{l, kBase, r, h.lowerJoint},
             {l, h.lowerJoint, r, kBase},
             {l, h.lowerJoint, r, h.upperJoint},
             {l, h.upperJoint, r, h.lowerJoint},
             {l, h.upperJoint, r, h.towerTop},
             {l, h.towerTop, r, h.upperJoint},
             {l, h.towerTop, r, h.towerTop}}};
}

}  // namespace klobbet::gauge
