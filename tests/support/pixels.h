#pragma once

#include <QImage>
#include <QRect>
#include <vector>

namespace klobbet::testing {

inline bool isWhite(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(255, 255, 255);
}

inline bool isBlack(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

// Pixels inside `area` (inclusive rectangle) that are not white.
inline int nonWhiteIn(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += !isWhite(image, x, y);
        }
    }
    return count;
}

// Whether `image` shows the part `part` of `picture` with the picture's
// top-left corner at `at`.
inline bool shows(const QImage& image, QPoint at, const QImage& picture, QRect part = {}) {
    if (part.isNull()) {
        part = picture.rect();
    }
    for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x) {
            if (image.pixel(at.x() + x, at.y() + y) != picture.pixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

// Every point of a one-pixel line, as the surfaces draw it.
std::vector<QPoint> linePoints(int x1, int y1, int x2, int y2);

}  // namespace klobbet::testing
