// His sad end: the fellow flattened by an anvil, lying in his blood.

#include "art.h"
#include "canvas.h"

#include <QLineF>
#include <QTransform>

namespace art {
namespace {

constexpr double kLine = 2.0;
constexpr double kLimb = 3.0;
// As wide as his head was when he stood.
constexpr double kHeadRadius = 29.0;

}  // namespace

QImage loser() {
    QImage image = blank(90, 62);
    // The pool of blood, darker at its rim, with a few splashes.
    shape(image, ellipse({45, 54.5}, 42.5, 7.2), ink::Blood, ink::DarkBlood, 2.0);
    for (const QPointF drop :
         {QPointF(3, 41), QPointF(87, 42), QPointF(84, 35), QPointF(8, 35), QPointF(50, 37)}) {
        fill(image, ellipse(drop, 1.6, 1.6), ink::Blood);
    }

    // One arm sticks straight up, fingers spread.
    stroke(
        image,
        [] {
            QPainterPath p({64, 50});
            p.quadTo({59, 34}, {62, 20});
            return p;
        }(),
        ink::Black, kLimb);
    for (const QLineF f : {QLineF(59.5, 13, 58, 8), QLineF(62, 12, 62, 7), QLineF(64.5, 13, 66, 8),
                           QLineF(66, 16, 69.5, 14)}) {
        line(image, {f.p1(), f.p2()}, ink::Black, kLine);
    }
    shape(image, ellipse({62, 16}, 4, 4), ink::White, ink::Black, kLine);

    // One leg sticks up too; the other lies flat.
    stroke(
        image,
        [] {
            QPainterPath p({78, 51});
            p.quadTo({81, 37}, {80, 25});
            return p;
        }(),
        ink::Black, kLimb);
    QPainterPath boot;  // upside down: heel at the top, toe pointing away
    boot.addRoundedRect(QRectF(76, 15, 8, 12), 3, 3);
    boot = boot.united(ellipse({85, 18}, 3.8, 3.5));
    fill(image, boot, ink::Black);
    line(image, {{74, 54.5}, {83, 55.5}}, ink::Black, kLimb);
    fill(image, QTransform().translate(85, 52.5).rotate(-75).map(ellipse({0, 0}, 5, 2.8)),
         ink::Black);

    // The squashed belly, and the head as wide as ever, with his three hairs.
    shape(image, ellipse({68, 50.5}, 13, 5), ink::White, ink::Black, kLine);
    curve(image, {24, 39}, {23, 34}, {20, 31}, {17, 32}, ink::Black, kLine);
    curve(image, {31, 38}, {31, 33}, {29, 30}, {26, 30}, ink::Black, kLine);
    curve(image, {38, 39}, {39, 34}, {42, 31}, {45, 32}, ink::Black, kLine);
    shape(image, ellipse({31, 47.5}, kHeadRadius, 9.5), ink::White, ink::Black, kLine);
    // Crossed-out eyes, bold enough to read at a glance.
    static const std::vector<std::string> crossedOut = {
        "X.....X", "XX...XX", ".XX.XX.", "..XXX..", ".XX.XX.", "XX...XX", "X.....X",
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
