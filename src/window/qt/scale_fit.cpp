#include <algorithm>
#include <cmath>

#include "window/qt/whole_scale.h"

namespace klobbet {

namespace {

constexpr int kClientWidth = 720;
constexpr int kClientHeight = 593;

}  // namespace

int wholeScaleFor(double desktopFactor, int availableWidth, int availableHeight, double fontDpi) {
    // Window managers draw their frames at the desktop's own scale, and a
    // menu bar grows with the desktop's text; allow for both generously.
    const double chrome = std::max(1.0, desktopFactor);
    const double text = std::max(1.0, fontDpi / 96);
    const int frameWidth = static_cast<int>(std::ceil(16 * chrome));
    const int frameHeight = static_cast<int>(std::ceil(56 * chrome + 30 * text));
    int scale = std::max(1, static_cast<int>(std::lround(desktopFactor)));
    while (scale > 1 && (scale * kClientWidth + frameWidth > availableWidth ||
                         scale * kClientHeight + frameHeight > availableHeight)) {
        --scale;
    }
    return scale;
}

}  // namespace klobbet
