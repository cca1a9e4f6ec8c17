#include "support/pixels.h"

#include "window/canvas.h"

namespace klobbet::testing {

std::vector<QPoint> linePoints(int x1, int y1, int x2, int y2) {
    const int width = std::max(x1, x2) + 1;
    const int height = std::max(y1, y2) + 1;
    Canvas canvas(width, height, QFont());
    canvas.line(x1, y1, x2, y2, kBlack);
    std::vector<QPoint> points;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (isBlack(canvas.image(), x, y)) {
                points.emplace_back(x, y);
            }
        }
    }
    return points;
}

}  // namespace klobbet::testing
