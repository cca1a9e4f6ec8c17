#pragma once

// Pieces of scenery shared by several pictures.

#include "art.h"

#include <QImage>

namespace art {

// The detonator box: a two pixel black frame with a labelled face.
void drawDetonatorBox(QImage& image, Side side);

// Only the inside of the box (the face and its label), which is not mirrored.
void drawDetonatorFace(QImage& image, Side side);

// The red plunger: a T-handle whose crossbar top is at `barTop`, and its rod
// running down into the left side's box. Symmetric about the box's centre.
void drawPlunger(QImage& image, int barTop);

// Where the crossbar is, for the hands that hold it.
inline constexpr int kBarLeft = 126;
inline constexpr int kBarRight = 159;
inline constexpr int kBarHeight = 6;

}  // namespace art
