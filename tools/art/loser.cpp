// His sad end: the fellow flattened by an anvil, lying in his blood.

#include "art.h"
#include "canvas.h"

#include <QLineF>
#include <QTransform>

namespace art {
namespace {

// As wide as his head was when he stood.
constexpr double kHeadRadius = 29.0;

void hair(QImage& image, QPointF a, QPointF b, QPointF c, QPointF d) {
    QPainterPath p(a);
    p.cubicTo(b, c, d);
    pen(image, p, ink::Black);
}

}  // namespace

QImage loser() {
    QImage image = blank(90, 62);
    // The pool of blood, darker at its rim. It has run out in two tongues
    // at the sides, and the drops that flew off lie in line with them, small
    // and smaller, so they read as a splash rather than as confetti.
    QPainterPath pool = ellipse({45, 54.5}, 42.5, 7.2);
    pool = pool.united(QTransform().translate(4, 52).rotate(-35).map(ellipse({0, 0}, 4.5, 2.2)));
    pool = pool.united(QTransform().translate(85, 51).rotate(35).map(ellipse({0, 0}, 4.5, 2.2)));
    shape(image, pool.simplified(), ink::Blood, ink::DarkBlood, 2.0);
    fill(image, ellipse({3.0, 40.0}, 1.6, 1.6), ink::Blood);
    fill(image, ellipse({5.5, 35.5}, 1.0, 1.0), ink::Blood);
    fill(image, ellipse({87.5, 45.0}, 1.6, 1.6), ink::Blood);
    fill(image, ellipse({86.0, 40.5}, 1.0, 1.0), ink::Blood);

    // One arm sticks straight up out of the squashed belly, fingers spread.
    QPainterPath arm({60, 47});
    arm.quadTo({58, 32}, {62, 20});
    pen(image, arm, ink::Black);
    for (const QLineF f : {QLineF(59.5, 13, 58, 8), QLineF(62, 12, 62, 7), QLineF(64.5, 13, 66, 8),
                           QLineF(66, 16, 69.5, 14)}) {
        pen(image, {f.p1(), f.p2()}, ink::Black);
    }
    penShape(image, ellipse({62, 16}, 4, 4), ink::White, ink::Black);

    // One leg sticks up too, its shoe upside down; the other is flat under
    // him, out of sight.
    QPainterPath leg({75, 47});
    leg.quadTo({79, 37}, {79, 26});
    pen(image, leg, ink::Black);
    QPainterPath boot;  // heel at the top, toe pointing away
    boot.addRoundedRect(QRectF(75, 15, 8, 12), 3, 3);
    boot = boot.united(ellipse({84, 18}, 3.8, 3.5));
    fill(image, boot, ink::Black);

    // The squashed belly, and the head as wide as ever, with his three hairs.
    penShape(image, ellipse({68, 50.5}, 13, 5), ink::White, ink::Black);
    hair(image, {24, 39}, {23, 34}, {20, 31}, {17, 32});
    hair(image, {31, 38}, {31, 33}, {29, 30}, {26, 30});
    hair(image, {38, 39}, {39, 34}, {42, 31}, {45, 32});
    penShape(image, ellipse({31, 47.5}, kHeadRadius, 9.5), ink::White, ink::Black);
    // Crossed-out eyes, bold enough to read at a glance.
    // Each stroke of a cross as heavy as the outline round them: thinner,
    // they fade into the face at 1:1.
    static const std::vector<std::string> crossedOut = {
        "XX...XX", "XXX.XXX", ".XXXXX.", "..XXX..", ".XXXXX.", "XXX.XXX", "XX...XX",
    };
    for (const int left : {18, 38}) {
        stamp(image, left, 41, crossedOut, {{'X', ink::Black}});
    }
    // The grin has become a grimace of clenched teeth.
    shape(image, polygon({{21, 50.5}, {41, 50.5}, {41, 55}, {21, 55}}), ink::White, ink::Black,
          1.5);
    for (const double tx : {26.0, 31.0, 36.0}) {
        line(image, {{tx, 50.5}, {tx, 55}}, ink::Black, 1.0);
    }
    line(image, {{21, 52.75}, {41, 52.75}}, ink::Black, 1.0);
    return image;
}

}  // namespace art
