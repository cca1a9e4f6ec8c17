// The eight signs drawn large (84 x 89) from shapes, and the question marks
// of any size that float around a puzzled player.

#include "art.h"
#include "canvas.h"

#include <QTransform>

#include <algorithm>
#include <cmath>

namespace art {
namespace {

// A picture mirrored left to right.
QImage flippedLeftRight(const QImage& image) {
    return image.mirrored(true, false);
}
QImage flippedUpDown(const QImage& image) {
    return image.mirrored(false, true);
}

// Makes a picture exactly symmetric by copying its left half onto its right.
void symmetrise(QImage& image) {
    const int w = image.width();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < w / 2; ++x) {
            image.setPixel(w - 1 - x, y, image.pixel(x, y));
        }
    }
}

// Moves the ink sideways so its left and right margins are equal (to
// within a pixel).
void centreInk(QImage& image) {
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != ink::White) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    const int shift = (image.width() - 1 - right - left) / 2;
    QImage moved = blank(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = left; x <= right; ++x) {
            moved.setPixel(x + shift, y, image.pixel(x, y));
        }
    }
    image = moved;
}

constexpr int kLargeW = 84;
constexpr int kLargeH = 89;
// The heart and the hand are drawn in one line weight.
constexpr double kOutline = 6.0;

QImage largeQuestion() {
    QImage image = blank(kLargeW, kLargeH);
    QPainterPath hook;
    const QRectF ring(20.0, 8.0, 44.0, 40.0);
    hook.arcMoveTo(ring, 165.0);
    hook.arcTo(ring, 165.0, -240.0);
    hook.quadTo({42.0, 50.0}, {42.0, 58.0});
    stroke(image, hook, ink::Black, 14.0);
    fill(image, ellipse({42.0, 77.0}, 8.5, 8.5), ink::Black);
    return image;
}

QImage largeExclamation() {
    QImage image = blank(kLargeW, kLargeH);
    QPainterPath bar;
    bar.moveTo(30.0, 12.0);
    bar.quadTo(30.0, 3.0, 42.0, 3.0);
    bar.quadTo(54.0, 3.0, 54.0, 12.0);
    bar.lineTo(48.0, 58.0);
    bar.quadTo(42.0, 64.0, 36.0, 58.0);
    bar.closeSubpath();
    fill(image, bar, ink::Black);
    fill(image, ellipse({42.0, 77.0}, 9.5, 9.5), ink::Black);
    symmetrise(image);
    return image;
}

// The heads' sides run at exactly 45 degrees, a quarter pixel off the
// pixel centres, so their staircases step one pixel every row.
QImage largeUp() {
    QImage image = blank(kLargeW, kLargeH);
    fill(image,
         polygon({{42.0, 2.75},
                  {80.0, 40.75},
                  {56.0, 40.75},
                  {56.0, 86.0},
                  {28.0, 86.0},
                  {28.0, 40.75},
                  {4.0, 40.75}}),
         ink::Black);
    symmetrise(image);
    return image;
}

QImage largeRight() {
    QImage image = blank(kLargeW, kLargeH);
    fill(image,
         polygon({{81.25, 44.5},
                  {43.25, 6.5},
                  {43.25, 30.5},
                  {3.0, 30.5},
                  {3.0, 58.5},
                  {43.25, 58.5},
                  {43.25, 82.5}}),
         ink::Black);
    // Exactly symmetric top to bottom.
    for (int y = 0; y < kLargeH / 2; ++y) {
        for (int x = 0; x < kLargeW; ++x) {
            image.setPixel(x, kLargeH - 1 - y, image.pixel(x, y));
        }
    }
    return image;
}

QImage largeHeart() {
    QImage image = blank(kLargeW, kLargeH);
    QPainterPath heart({42.0, 80.0});
    heart.cubicTo({24.0, 64.0}, {6.0, 50.0}, {6.0, 30.0});
    heart.cubicTo({6.0, 10.0}, {34.0, 4.0}, {42.0, 24.0});
    heart.cubicTo({50.0, 4.0}, {78.0, 10.0}, {78.0, 30.0});
    heart.cubicTo({78.0, 50.0}, {60.0, 64.0}, {42.0, 80.0});
    stroke(image, heart, ink::Black, kOutline);
    symmetrise(image);
    return image;
}

QPainterPath roundedBar(QPointF from, QPointF to, double width) {
    // A bar with round ends from `from` to `to`.
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    QPainterPath p;
    p.addRoundedRect(QRectF(-width / 2.0, -width / 2.0, len + width, width), width / 2.0,
                     width / 2.0);
    QTransform m;
    m.translate(from.x(), from.y());
    m.rotate(std::atan2(d.y(), d.x()) * 180.0 / M_PI);
    return m.map(p);
}

QImage largeHand() {
    QImage image = blank(kLargeW, kLargeH);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(24.0, 38.0, 46.0, 46.0), 14.0, 14.0);
    const double w = 11.5;
    const double xs[4] = {24.0, 35.5, 47.0, 58.5};
    const double tops[4] = {16.0, 6.0, 10.0, 22.0};
    for (int i = 0; i < 4; ++i) {
        hand = hand.united(roundedBar({xs[i] + w / 2, 50.0}, {xs[i] + w / 2, tops[i] + w / 2}, w));
    }
    hand = hand.united(roundedBar({30.0, 66.0}, {12.0, 42.0}, 12.5));
    hand = hand.simplified();
    outline(image, hand, ink::Black, kOutline);
    for (int i = 1; i < 4; ++i) {
        const double x = xs[i];
        const double top = std::max(tops[i - 1], tops[i]) + w / 2 + 1.0;
        line(image, {{x, top}, {x, 44.0}}, ink::Black, kOutline);
    }
    // The crease at the root of the thumb.
    QPainterPath crease({35.0, 59.0});
    crease.quadTo({36.0, 68.0}, {45.0, 73.0});
    stroke(image, crease, ink::Black, kOutline);
    centreInk(image);
    return image;
}

}  // namespace

// ---- question mark in any size ----------------------------------------

// The design grid is 10 wide and 16 tall.
void questionMarkPaths(double s, QPointF at, QPainterPath& hook, QPainterPath& dot) {
    QTransform m;
    m.translate(at.x(), at.y());
    m.scale(s, s);
    QPainterPath h;
    const QRectF ring(1.7, 1.7, 6.6, 6.4);
    h.arcMoveTo(ring, 160.0);
    h.arcTo(ring, 160.0, -230.0);
    h.quadTo({5.0, 8.6}, {5.0, 10.6});
    hook = m.map(h);
    dot = m.map(ellipse({5.0, 14.0}, 1.55, 1.55));
}

void questionMark(QImage& image, int x, int y, int height) {
    const double s = height / 16.0;
    QPainterPath hook, dot;
    questionMarkPaths(s, QPointF(x, y), hook, dot);
    stroke(image, hook, ink::Black, 2.6 * s);
    fill(image, dot, ink::Black);
}

int questionMarkWidth(int height) {
    QImage probe = blank(height + 2, height + 2);
    questionMark(probe, 0, 0, height);
    int width = 0;
    for (int y = 0; y < probe.height(); ++y) {
        for (int x = 0; x < probe.width(); ++x) {
            if (probe.pixel(x, y) != ink::White) {
                width = std::max(width, x + 1);
            }
        }
    }
    return width;
}

QImage largeSign(int index) {
    switch (index) {
        case 0:
            return largeQuestion();
        case 1:
            return largeExclamation();
        case 2:
            return largeUp();
        case 3:
            return flippedUpDown(largeUp());
        case 4:
            return largeRight();
        case 5:
            return flippedLeftRight(largeRight());
        case 6:
            return largeHeart();
        default:
            return largeHand();
    }
}

}  // namespace art
