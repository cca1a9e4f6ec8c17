// The desktop icons from 48 pixels up, drawn from shapes at their own size:
// the puzzled fellow scratching his head among five question marks. The
// lines grow with the size but less than in proportion, so the big icons
// are not just the small one blown up, and the face gains brows as soon as
// there is room for them.

#include "art.h"
#include "canvas.h"
#include "icons.h"

#include <QTransform>

#include <cmath>

namespace art {
namespace {

// Each picture is drawn this many times larger, then every square of
// pixels becomes one pixel of its average: smooth edges, the same bytes on
// every run.
constexpr int kFine = 4;

struct Scene {
    std::vector<QPainterPath> lines;  // stroked
    std::vector<QPainterPath> blobs;  // filled
    QPainterPath face;                // white, under everything
};

QPainterPath polyline(std::initializer_list<QPointF> points) {
    QPainterPath p;
    for (const QPointF& pt : points) {
        p.elementCount() == 0 ? p.moveTo(pt) : p.lineTo(pt);
    }
    return p;
}

// The figure in a 32 x 32 design space.
Scene scene(bool brows) {
    Scene s;
    s.face = ellipse({14, 10.5}, 6.6, 6.6);
    s.lines.push_back(s.face);
    s.lines.push_back(polyline({{14, 17.2}, {14, 25}}));
    s.lines.push_back(polyline({{10.5, 30.5}, {14, 25}, {17.5, 30.5}}));
    s.lines.push_back(polyline({{13.6, 19.5}, {9.2, 24.4}}));
    // The arm goes out and up, and the hand rubs the top of his head.
    s.lines.push_back(polyline({{14.4, 19.5}, {24.6, 15.2}, {22.8, 6.0}, {20.2, 3.6}}));
    s.blobs.push_back(ellipse({20.0, 3.4}, 1.7, 1.4));
    for (const QPointF eye : {QPointF(11.6, 9.2), QPointF(16.4, 9.2)}) {
        s.blobs.push_back(ellipse(eye, 0.8, 1.1));
    }
    QPainterPath mouth({11.2, 13.6});
    mouth.cubicTo({12.4, 12.2}, {13.4, 12.6}, {14.2, 13.4});
    mouth.cubicTo({15.0, 14.2}, {16.0, 13.8}, {16.8, 12.8});
    s.lines.push_back(mouth);
    if (brows) {
        QPainterPath up({10.4, 6.8});
        up.quadTo({11.6, 5.4}, {12.8, 6.4});
        s.lines.push_back(up);
        s.lines.push_back(polyline({{15.4, 6.9}, {17.4, 7.5}}));
    }
    return s;
}

struct Mark {
    double x, y, height;
};
constexpr Mark kMarks[] = {
    {0.8, 1.5, 11}, {26.0, 4.5, 8.5}, {27.0, 17.0, 6.5}, {2.0, 15.0, 7}, {22.8, 24.0, 6.5}};

}  // namespace

QImage largeIcon(int size) {
    const int n = size * kFine;
    const double unit = n / 32.0;
    // Black lines and the white rim around them, in fine pixels.
    const double ink = kFine * (1.2 + size / 40.0), rim = kFine * (1.0 + size / 80.0);
    QTransform m;
    m.scale(unit, unit);

    QImage fine(n, n, QImage::Format_ARGB32);
    fine.fill(kClear);
    const Scene s = scene(size >= 64);
    std::vector<QPainterPath> lines, blobs;
    for (const QPainterPath& p : s.lines) {
        lines.push_back(m.map(p));
    }
    for (const QPainterPath& p : s.blobs) {
        blobs.push_back(m.map(p));
    }
    for (const Mark& q : kMarks) {
        QPainterPath hook, dot;
        questionMarkPaths(q.height / 16.0 * unit, QPointF(q.x * unit, q.y * unit), hook, dot);
        lines.push_back(hook);
        blobs.push_back(dot);
    }
    // The same width for a mark's hook as for the figure's lines keeps one
    // weight across the picture.
    for (const QPainterPath& p : lines) {
        stroke(fine, p, kRim, ink + 2 * rim);
    }
    for (const QPainterPath& p : blobs) {
        fill(fine, p, kRim);
        outline(fine, p, kRim, 2 * rim);
    }
    fill(fine, m.map(s.face), kRim);
    for (const QPainterPath& p : lines) {
        stroke(fine, p, kInk, ink);
    }
    for (const QPainterPath& p : blobs) {
        fill(fine, p, kInk);
    }

    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int white = 0, black = 0;
            for (int j = 0; j < kFine; ++j) {
                for (int i = 0; i < kFine; ++i) {
                    const QRgb p = fine.pixel(x * kFine + i, y * kFine + j);
                    white += p == kRim ? 1 : 0;
                    black += p == kInk ? 1 : 0;
                }
            }
            const int covered = white + black, all = kFine * kFine;
            image.setPixel(x, y,
                           covered == 0 ? kClear
                                        : qRgba(255 * white / covered, 255 * white / covered,
                                                255 * white / covered, 255 * covered / all));
        }
    }
    return image;
}

QImage desktopIcon(int size) {
    return size < 32 ? smallIcon(size) : largeIcon(size);
}

}  // namespace art
