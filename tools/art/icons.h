#pragma once

// The game's icons: the window's 32 x 32 one and the desktop's at every size
// a desktop asks for, each drawn for its size.

#include <QImage>
#include <QRgb>

#include <array>

namespace art {

// The colours of every icon: black ink, the white rim and fill that keep it
// visible on dark panels, and see-through.
inline constexpr QRgb kInk = 0xff000000;
inline constexpr QRgb kRim = 0xffffffff;
inline constexpr QRgb kClear = 0x00000000;

// Sizes of the desktop icons (32 is the window icon's).
inline constexpr std::array<int, 6> kDesktopIconSizes = {16, 24, 48, 64, 128, 256};

// Pixel by pixel, for 16 and 24.
QImage smallIcon(int size);
// Drawn from shapes at the size, for 48 and larger; edges are smoothed
// (partly see-through), lines thicken with the size.
QImage largeIcon(int size);
// Any of kDesktopIconSizes.
QImage desktopIcon(int size);

}  // namespace art
