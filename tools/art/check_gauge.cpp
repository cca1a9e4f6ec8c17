// The candle gauge is drawn over the pose pictures, opaque, after every
// repaint: whatever part of the plunger or of the hands lies under its
// lattice or its candle is cut away at that step of the match. So every
// pixel the gauge can ever draw, at any progress of a match of any length,
// must miss them. The gauge's places come from the game's own geometry.

#include "art.h"
#include "canvas.h"
#include "check_tools.h"
#include "match/gauge_geometry.h"
#include "window/line_pixels.h"

#include <algorithm>
#include <vector>

namespace art {
namespace {

// The match lengths the game's menu offers.
constexpr int kLengths[] = {10, 20, 40};

struct Touch {
    int length = 0, progress = 0;  // the first step that draws the pixel
};

// For each pixel of a pose picture (kPlayerCanvasWidth wide), the first
// step of a match at which the gauge draws on it; length 0 where it never does.
std::vector<Touch> gaugeCover(Side side) {
    using namespace klobbet::gauge;
    const klobbet::gauge::Side& g = side == Side::Left ? kLeft : kRight;
    const int poseX = side == Side::Left ? kLeftPoseX : kRightPoseX;
    std::vector<Touch> cover(kPlayerCanvasWidth * kPlayerHeight);
    for (const int length : kLengths) {
        for (int progress = 1; progress <= length; ++progress) {
            const auto mark = [&](int fx, int fy) {
                const int x = fx - poseX, y = fy - kPoseY;
                if (x < 0 || y < 0 || x >= kPlayerCanvasWidth || y >= kPlayerHeight)
                    return;
                Touch& t = cover[y * kPlayerCanvasWidth + x];
                if (t.length == 0)
                    t = {length, progress};
            };
            const Heights h = heights(progress, length);
            for (const Segment& s : lattice(g, h)) {
                klobbet::forEachLinePixel(s.x1, s.y1, s.x2, s.y2, mark);
            }
            // The candle, painted opaque, and the box that erases it.
            const int right = std::max(g.candleLeft + kCandleWidth - 1, g.eraseRight);
            for (int y = h.towerTop - kCandleHeight; y < h.towerTop; ++y) {
                for (int x = g.candleLeft; x <= right; ++x) {
                    mark(x, y);
                }
            }
        }
    }
    return cover;
}

// The pixels a player must never lose: the red of the rod and the T-bar
// above the box, and everything drawn around the bar, which is the hands
// gripping it.
std::vector<bool> plungerAndHands(const QImage& im, Side side) {
    const BoxPlace b = detonatorBox(side);
    std::vector<bool> kept(im.width() * im.height(), false);
    int barLeft = im.width(), barRight = -1, barTop = im.height(), barBottom = -1;
    for (int y = 0; y < b.top; ++y) {
        if (count(im, ink::Plunger, 0, y, -1, y) < 8)
            continue;  // the rod alone: the bar is wider
        barTop = std::min(barTop, y);
        barBottom = std::max(barBottom, y);
        for (int x = 0; x < im.width(); ++x) {
            if (im.pixel(x, y) == ink::Plunger) {
                barLeft = std::min(barLeft, x);
                barRight = std::max(barRight, x);
            }
        }
    }
    for (int y = 0; y < b.top; ++y) {
        for (int x = 0; x < im.width(); ++x) {
            const bool grip = x >= barLeft - 3 && x <= barRight + 3 && y >= barTop - 10 &&
                              y <= barBottom + 6 && !isWhite(im, x, y);
            kept[y * im.width() + x] = im.pixel(x, y) == ink::Plunger || grip;
        }
    }
    return kept;
}

}  // namespace

void checkGaugeClearance(Tally& t, int n, const QImage& im) {
    const Side side = n <= 107 ? Side::Left : Side::Right;
    static const std::vector<Touch> left = gaugeCover(Side::Left);
    static const std::vector<Touch> right = gaugeCover(Side::Right);
    const std::vector<Touch>& cover = side == Side::Left ? left : right;
    const std::vector<bool> kept = plungerAndHands(im, side);
    int hit = 0;
    QString first;
    for (int y = 0; y < im.height(); ++y) {
        for (int x = 0; x < im.width(); ++x) {
            const Touch& c = cover[y * kPlayerCanvasWidth + x];
            if (!kept[y * im.width() + x] || c.length == 0)
                continue;
            if (hit++ == 0) {
                first = QStringLiteral(" (first at column %1, row %2, in a match of %3 at step %4)")
                            .arg(x)
                            .arg(y)
                            .arg(c.length)
                            .arg(c.progress);
            }
        }
    }
    t.expect(hit == 0, QString::number(n) +
                           QStringLiteral(": the gauge never covers the plunger or the hands; "
                                          "it covers %1 of their pixels")
                               .arg(hit) +
                           first);
}

}  // namespace art
