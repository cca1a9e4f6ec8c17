// The head is one outline: the ear and the nose are bumps of it rather than
// shapes laid over it, so no line runs through them and nothing clots where
// they meet the face. The features keep clear of each other by a few white
// pixels, which is what keeps them apart at 1:1.

#include "head.h"

#include "canvas.h"

#include <QTransform>

namespace art {
namespace {

QPainterPath curvePath(QPointF a, QPointF b, QPointF c, QPointF d) {
    QPainterPath p(a);
    p.cubicTo(b, c, d);
    return p;
}

QPainterPath skull() {
    QPainterPath head = ellipse({0, 0}, kHeadRadius, kHeadRadius);
    head = head.united(ellipse({-27.5, 4}, 5.0, 7.0));  // ear, on the far side from the box
    head = head.united(ellipse({28.0, -1}, 5.5, 5.0));  // nose, pointing at the plunger
    return head.simplified();
}

void hairs(QImage& image, const QTransform& m) {
    pen(image, m.map(curvePath({-8, -27}, {-10, -34}, {-16, -36}, {-18, -33})), ink::Black);
    pen(image, m.map(curvePath({-1, -28}, {-1, -36}, {-5, -40}, {-8, -39})), ink::Black);
    pen(image, m.map(curvePath({6, -27}, {8, -35}, {12, -37}, {15, -35})), ink::Black);
}

void eye(QImage& image, const QTransform& m, QPointF at, double rx, double ry, QPointF look) {
    penShape(image, m.map(ellipse(at, rx, ry)), ink::White, ink::Black);
    fill(image, m.map(ellipse(at + look, 2.3, 2.6)), ink::Black);
}

// Eyes wide and looking at the plunger, brows up, a grin full of teeth.
void grin(QImage& image, const QTransform& m) {
    eye(image, m, {2.5, -8}, 4.5, 6.0, {1.6, 1.2});
    eye(image, m, {16.5, -8}, 4.5, 6.0, {1.6, 1.2});
    pen(image, m.map(curvePath({-2, -17}, {0, -20}, {5, -20}, {7, -18})), ink::Black);
    pen(image, m.map(curvePath({12, -18}, {14, -20}, {18, -20}, {20, -17.5})), ink::Black);

    QPainterPath mouth({-10, 8});
    mouth.quadTo({5, 13}, {21, 7});
    mouth.cubicTo({20, 22}, {-5, 25}, {-10, 8});
    mouth.closeSubpath();
    penShape(image, m.map(mouth), ink::White, ink::Black);
    // The upper teeth: a row of four between the lip and the gap.
    // The gap keeps a line of white above the lower lip, or the two lines
    // would run together into one heavy band.
    QPainterPath gap({-8, 13.5});
    gap.quadTo({5, 17.5}, {19, 12});
    pen(image, m.map(gap), ink::Black);
    for (const double tx : {-1.5, 5.0, 11.5}) {
        pen(image, m.map(curvePath({tx, 11}, {tx, 12.5}, {tx, 14}, {tx, 15.5})), ink::Black);
    }
}

// One eye wide open, the other narrowed; one brow shot up, the other knitted
// down; pupils rolled up and apart; and a mouth that does not know which way
// to go.
void puzzled(QImage& image, const QTransform& m) {
    eye(image, m, {2.5, -8}, 5.0, 6.5, {-0.8, -2.6});
    eye(image, m, {17.0, -6.5}, 4.0, 4.5, {1.2, -1.6});
    pen(image, m.map(curvePath({-3, -19}, {-1, -25}, {5, -25}, {8, -20})), ink::Black);
    pen(image, m.map(curvePath({12, -16.5}, {15, -16}, {18, -15}, {21, -13.5})), ink::Black);

    QPainterPath mouth({-3, 15});
    mouth.cubicTo({0, 11}, {3, 11}, {6, 14});
    mouth.cubicTo({9, 17}, {12, 17}, {15, 12});
    pen(image, m.map(mouth), ink::Black);
}

}  // namespace

void drawHead(QImage& image, QPointF centre, double tilt, Mood mood) {
    QTransform m;
    m.translate(centre.x(), centre.y());
    m.rotate(tilt);
    hairs(image, m);
    penShape(image, m.map(skull()), ink::White, ink::Black);
    if (mood == Mood::Grinning) {
        grin(image, m);
    } else {
        puzzled(image, m);
    }
}

}  // namespace art
