#pragma once

// The pixels of a one-pixel line, both end points included, in the order a
// pen would draw them. The game's canvas draws its lines with it, and the
// art program uses it to know which pixels of a pose the gauge will cover,
// so the two can never disagree by a pixel.

#include <cstdlib>

namespace klobbet {

template <typename Plot>
void forEachLinePixel(int x1, int y1, int x2, int y2, Plot plot) {
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    for (;;) {
        plot(x, y);
        if (x == x2 && y == y2) {
            return;
        }
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

}  // namespace klobbet
