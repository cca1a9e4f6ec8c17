#include "canvas.h"

#include <QLineF>
#include <QPoint>
#include <QPolygonF>
#include <QRectF>

#include <algorithm>
#include <cmath>

namespace art {

const std::vector<QRgb>& palette() {
    static const std::vector<QRgb> colours = {
        ink::White, ink::Black,     ink::Plunger, ink::Blood,     ink::DarkBlood,
        ink::Iron,  ink::IronShine, ink::Flame,   ink::FlameCore, ink::Paper,
    };
    return colours;
}

QImage blank(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(ink::White);
    return image;
}

namespace {

// Pixel rows/columns touched by a rectangle, clipped to the picture.
struct Span {
    int x0, y0, x1, y1;
};

Span clip(const QImage& image, const QRectF& r) {
    return {std::max(0, static_cast<int>(std::floor(r.left())) - 1),
            std::max(0, static_cast<int>(std::floor(r.top())) - 1),
            std::min(image.width() - 1, static_cast<int>(std::ceil(r.right())) + 1),
            std::min(image.height() - 1, static_cast<int>(std::ceil(r.bottom())) + 1)};
}

double distanceToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double len2 = ab.x() * ab.x() + ab.y() * ab.y();
    double t = 0.0;
    if (len2 > 0.0) {
        t = ((p.x() - a.x()) * ab.x() + (p.y() - a.y()) * ab.y()) / len2;
        t = std::clamp(t, 0.0, 1.0);
    }
    const QPointF d = p - (a + t * ab);
    return std::sqrt(d.x() * d.x() + d.y() * d.y());
}

void setPixel(QImage& image, int x, int y, QRgb colour) {
    reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colour;
}

}  // namespace

void fill(QImage& image, const QPainterPath& path, QRgb colour) {
    QPainterPath p = path;
    p.setFillRule(Qt::WindingFill);
    const Span s = clip(image, p.boundingRect());
    for (int y = s.y0; y <= s.y1; ++y) {
        for (int x = s.x0; x <= s.x1; ++x) {
            if (p.contains(QPointF(x + 0.5, y + 0.5))) {
                setPixel(image, x, y, colour);
            }
        }
    }
}

void stroke(QImage& image, const QPainterPath& path, QRgb colour, double width) {
    const double r = width / 2.0;
    const QList<QPolygonF> pieces = path.toSubpathPolygons();
    const Span s = clip(image, path.boundingRect().adjusted(-r, -r, r, r));
    for (int y = s.y0; y <= s.y1; ++y) {
        for (int x = s.x0; x <= s.x1; ++x) {
            const QPointF c(x + 0.5, y + 0.5);
            bool near = false;
            for (const QPolygonF& poly : pieces) {
                if (poly.size() == 1) {
                    near = distanceToSegment(c, poly[0], poly[0]) <= r;
                }
                for (qsizetype i = 1; i < poly.size() && !near; ++i) {
                    near = distanceToSegment(c, poly[i - 1], poly[i]) <= r;
                }
                if (near) {
                    break;
                }
            }
            if (near) {
                setPixel(image, x, y, colour);
            }
        }
    }
}

namespace {

// The pen's positions along a polyline: the pixel corner nearest each point,
// sampled finely, with repeats and corner steps dropped.
std::vector<QPoint> penSteps(const QPolygonF& poly) {
    std::vector<QPoint> steps;
    const auto add = [&](QPointF p) {
        const QPoint q(static_cast<int>(std::lround(p.x())), static_cast<int>(std::lround(p.y())));
        if (!steps.empty() && steps.back() == q)
            return;
        // An L turn (a sideways step, then one up) is one diagonal step.
        if (steps.size() >= 2) {
            const QPoint d = q - steps[steps.size() - 2];
            if (std::abs(d.x()) == 1 && std::abs(d.y()) == 1) {
                steps.back() = q;
                return;
            }
        }
        steps.push_back(q);
    };
    for (qsizetype i = 0; i < poly.size(); ++i) {
        if (i == 0) {
            add(poly[0]);
            continue;
        }
        const QPointF a = poly[i - 1], b = poly[i];
        const int n = std::max(1, static_cast<int>(std::ceil(QLineF(a, b).length() * 8)));
        for (int k = 1; k <= n; ++k) {
            add(a + (b - a) * (static_cast<double>(k) / n));
        }
    }
    return steps;
}

}  // namespace

void pen(QImage& image, const QPainterPath& path, QRgb colour) {
    for (const QPolygonF& poly : path.toSubpathPolygons()) {
        for (const QPoint& q : penSteps(poly)) {
            box(image, q.x() - 1, q.y() - 1, q.x(), q.y(), colour);
        }
    }
}

void pen(QImage& image, std::initializer_list<QPointF> points, QRgb colour) {
    QPainterPath p;
    for (const QPointF& pt : points) {
        p.elementCount() == 0 ? p.moveTo(pt) : p.lineTo(pt);
    }
    pen(image, p, colour);
}

void penShape(QImage& image, const QPainterPath& path, QRgb fillColour, QRgb lineColour) {
    fill(image, path, fillColour);
    QPainterPath closed;
    for (QPolygonF poly : path.toSubpathPolygons()) {
        if (!poly.isEmpty() && poly.first() != poly.last()) {
            poly << poly.first();
        }
        closed.addPolygon(poly);
    }
    pen(image, closed, lineColour);
}

void outline(QImage& image, const QPainterPath& path, QRgb colour, double width) {
    QPainterPath closed;
    for (QPolygonF poly : path.toSubpathPolygons()) {
        if (!poly.isEmpty() && poly.first() != poly.last()) {
            poly << poly.first();
        }
        closed.addPolygon(poly);
    }
    stroke(image, closed, colour, width);
}

void shape(QImage& image, const QPainterPath& path, QRgb fillColour, QRgb lineColour,
           double lineWidth) {
    fill(image, path, fillColour);
    outline(image, path, lineColour, lineWidth);
}

void line(QImage& image, std::initializer_list<QPointF> points, QRgb colour, double width) {
    QPainterPath p;
    bool first = true;
    for (const QPointF& pt : points) {
        if (first) {
            p.moveTo(pt);
            first = false;
        } else {
            p.lineTo(pt);
        }
    }
    if (points.size() == 1) {
        p.lineTo(*points.begin());
    }
    stroke(image, p, colour, width);
}

void curve(QImage& image, QPointF a, QPointF b, QPointF c, QPointF d, QRgb colour, double width) {
    QPainterPath p(a);
    p.cubicTo(b, c, d);
    stroke(image, p, colour, width);
}

void stamp(QImage& image, int left, int top, const std::vector<std::string>& rows,
           std::initializer_list<std::pair<char, QRgb>> key) {
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) {
            const int x = left + c;
            const int y = top + r;
            if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) {
                continue;
            }
            for (const auto& [ch, colour] : key) {
                if (rows[r][c] == ch) {
                    setPixel(image, x, y, colour);
                }
            }
        }
    }
}

void box(QImage& image, int x0, int y0, int x1, int y1, QRgb colour) {
    for (int y = std::max(0, y0); y <= std::min(image.height() - 1, y1); ++y) {
        for (int x = std::max(0, x0); x <= std::min(image.width() - 1, x1); ++x) {
            setPixel(image, x, y, colour);
        }
    }
}

QPainterPath ellipse(QPointF centre, double rx, double ry) {
    QPainterPath p;
    p.addEllipse(centre, rx, ry);
    return p;
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath p;
    p.addPolygon(QPolygonF(QList<QPointF>(points)));
    p.closeSubpath();
    return p;
}

}  // namespace art
