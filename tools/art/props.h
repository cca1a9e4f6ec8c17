#pragma once

// Pieces of scenery shared by several pictures.

#include "art.h"

#include <QImage>

namespace art {

// The detonator box: a two pixel black frame with a labelled face.
void drawDetonatorBox(QImage& image, Side side);

// Only the inside of the box (the face and its label), which is not mirrored.
void drawDetonatorFace(QImage& image, Side side);

// The red plunger: a T-handle whose bar top is at `barTop`, on a rod that
// stands on the left side's box. The rod stands on the box's end column
// nearest the player and the bar reaches back towards him: the candle tower
// grows on the rest of the box, beside the handle and the hands, never
// through them.
void drawPlunger(QImage& image, int barTop);

// Where the rod and the bar are, for the hands that hold them.
inline constexpr int kRodRight = 122;
inline constexpr int kRodWidth = 4;
inline constexpr int kBarLeft = 95;
inline constexpr int kBarRight = kRodRight;
inline constexpr int kBarHeight = 5;

}  // namespace art
