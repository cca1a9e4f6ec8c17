// The two players: a grinning, pot-bellied fellow with a big round head,
// working a blasting plunger. Both players are the same fellow; the right one
// is the left one seen in a mirror.

#include "art.h"
#include "canvas.h"
#include "props.h"

#include <QTransform>

namespace art {
namespace {

constexpr double kHeadRadius = 29.0;
constexpr double kLine = 2.0;  // outlines of head, body, hands
constexpr double kLimb = 3.0;  // arms and legs

struct Limb {
    QPointF root, bend, end;
};

struct Pose {
    QPointF hip;  // where the torso is anchored (between the legs)
    double lean;  // degrees; positive leans towards the box
    Limb farArm, nearArm, farLeg, nearLeg;
    int barTop;
};

QTransform torsoPlacement(const Pose& p) {
    QTransform m;
    m.translate(p.hip.x(), p.hip.y());
    m.rotate(p.lean);
    return m;
}

QPointF onTorso(const Pose& p, double x, double y) {
    return torsoPlacement(p).map(QPointF(x, y));
}

// Shoulders and hips in the torso's own upright coordinates.
const QPointF kFarShoulder(4, -66), kNearShoulder(12, -62), kFarHip(-6, -4), kNearHip(12, -4);
const QPointF kHeadOnTorso(2, -104);

// The hands grip the ends of the crossbar from above, clear of the middle,
// where the candle of the gauge climbs past the handle. `end` of an arm is
// its wrist, on the top left of the fist.
constexpr int kFistWidth = 10;
constexpr int kNearFist = kBarLeft, kFarFist = kBarRight + 1 - kFistWidth;  // left columns

// Two arms apart: the far one reaches out high, above the near fist, to the
// far end of the bar; the near one leaves the chest at a wide angle, so it
// never runs along the body's outline.
Pose standingPose() {
    Pose p{};
    p.hip = {58, 156};
    p.lean = 0;
    p.barTop = 107;
    p.farArm = {onTorso(p, kFarShoulder.x(), kFarShoulder.y()), {104, 89}, {kFarFist + 2, 101}};
    p.nearArm = {
        onTorso(p, kNearShoulder.x(), kNearShoulder.y()), {100, 103}, {kNearFist + 1, 103}};
    p.farLeg = {onTorso(p, kFarHip.x(), kFarHip.y()), {49, 172}, {47, 190}};
    p.nearLeg = {onTorso(p, kNearHip.x(), kNearHip.y()), {72, 172}, {72, 190}};
    return p;
}

Pose pushingPose() {
    Pose p{};
    p.hip = {40, 172};
    p.lean = 20;
    p.barTop = 142;
    p.farArm = {onTorso(p, kFarShoulder.x(), kFarShoulder.y()), {112, 112}, {kFarFist + 2, 136}};
    p.nearArm = {
        onTorso(p, kNearShoulder.x(), kNearShoulder.y()), {104, 126}, {kNearFist + 1, 139}};
    p.farLeg = {onTorso(p, kFarHip.x(), kFarHip.y()), {30, 178}, {22, 190}};
    p.nearLeg = {onTorso(p, kNearHip.x(), kNearHip.y()), {80, 176}, {78, 190}};
    return p;
}

// A smooth limb passing through its bend.
void drawLimb(QImage& image, const Limb& limb) {
    const QPointF control = 2.0 * limb.bend - (limb.root + limb.end) / 2.0;
    QPainterPath path(limb.root);
    path.quadTo(control, limb.end);
    stroke(image, path, ink::Black, kLimb);
}

// A fist closed on the crossbar: knuckles on top, the finger tips curled
// over the bar's top edge so that the red shows between them.
void drawFist(QImage& image, int left, int barTop) {
    // clang-format off
    static const std::vector<std::string> fist = {
        "..KKKKKK..",
        ".KWWWWWWK.",
        "KWWWWWWWWK",
        "KWWWWWWWWK",
        "KWWWWWWWWK",
        "KWWKWWKWWK",
        "KWWKWWKWWK",
        "KWWKWWKWKK",
        ".KK.KK.KK.",
    };
    // clang-format on
    stamp(image, left, barTop - 8, fist, {{'K', ink::Black}, {'W', ink::White}});
}

void drawShoe(QImage& image, QPointF ankle) {
    QPainterPath sole;
    sole.addRect(0, 0, image.width(), kSoleRow + 1);
    const QPainterPath shoe =
        ellipse({ankle.x() + 5.0, kSoleRow - 2.0}, 10.0, 6.0).intersected(sole);
    fill(image, shoe, ink::Black);
}

QPainterPath torsoPath(const Pose& p) {
    QPainterPath t;
    t.moveTo(-6, -74);
    t.cubicTo(-18, -62, -24, -30, -18, -10);
    t.cubicTo(-14, 4, 20, 6, 32, -4);
    t.cubicTo(48, -18, 44, -42, 22, -54);
    t.cubicTo(14, -60, 12, -68, 8, -74);
    t.closeSubpath();
    return torsoPlacement(p).map(t);
}

void drawTorso(QImage& image, const Pose& p) {
    shape(image, torsoPath(p), ink::White, ink::Black, kLine);
    // Belly button.
    QPainterPath navel(onTorso(p, 29, -28));
    navel.quadTo(onTorso(p, 32, -25), onTorso(p, 29, -22));
    stroke(image, navel, ink::Black, 1.5);
}

void drawHead(QImage& image, QPointF c) {
    const double x = c.x(), y = c.y();
    // The ear pokes out behind the head.
    shape(image, ellipse({x - 27, y + 4}, 5.0, 7.0), ink::White, ink::Black, kLine);
    // Three hairs.
    curve(image, {x - 8, y - 28}, {x - 10, y - 34}, {x - 16, y - 36}, {x - 18, y - 33}, ink::Black,
          kLine);
    curve(image, {x - 1, y - 29}, {x - 1, y - 36}, {x - 5, y - 40}, {x - 8, y - 39}, ink::Black,
          kLine);
    curve(image, {x + 6, y - 28}, {x + 8, y - 35}, {x + 12, y - 37}, {x + 15, y - 35}, ink::Black,
          kLine);
    shape(image, ellipse(c, kHeadRadius, kHeadRadius), ink::White, ink::Black, kLine);
    curve(image, {x - 29, y + 1}, {x - 29, y + 1}, {x - 25, y + 1}, {x - 24, y + 6}, ink::Black,
          1.5);

    // Eyes looking towards the plunger.
    for (const QPointF eye : {QPointF(x + 4, y - 8), QPointF(x + 16, y - 8)}) {
        shape(image, ellipse(eye, 4.5, 6.0), ink::White, ink::Black, kLine);
        fill(image, ellipse(eye + QPointF(1.5, 1.0), 2.3, 2.8), ink::Black);
    }
    // Raised eyebrows; the far one stops short of the head's outline, where
    // it would melt into it.
    curve(image, {x, y - 17}, {x + 2, y - 19}, {x + 6, y - 19}, {x + 8, y - 17.5}, ink::Black,
          kLine);
    curve(image, {x + 12, y - 17}, {x + 14, y - 19}, {x + 17, y - 19}, {x + 18.5, y - 17.5},
          ink::Black, kLine);
    // A round nose at the front of the face.
    shape(image, ellipse({x + 27, y + 2}, 5.0, 4.5), ink::White, ink::Black, kLine);

    // The grin: a wide mouth full of teeth.
    QPainterPath mouth({x - 9, y + 9});
    mouth.quadTo({x + 8, y + 14}, {x + 25, y + 9});
    mouth.cubicTo({x + 24, y + 24}, {x - 5, y + 26}, {x - 9, y + 9});
    mouth.closeSubpath();
    shape(image, mouth, ink::White, ink::Black, kLine);
    QPainterPath gum({x - 7, y + 15});
    gum.quadTo({x + 8, y + 21}, {x + 23, y + 14});
    stroke(image, gum, ink::Black, 1.0);
    for (double tx : {-2.0, 4.0, 10.0, 16.0}) {
        line(image, {{x + tx, y + 12}, {x + tx, y + 16.5}}, ink::Black, 1.0);
    }
    // Dimples at the corners of the mouth.
    curve(image, {x - 12, y + 6}, {x - 13, y + 8}, {x - 12, y + 11}, {x - 10, y + 12}, ink::Black,
          1.5);
    curve(image, {x + 27, y + 6}, {x + 29, y + 8}, {x + 28, y + 11}, {x + 26, y + 12}, ink::Black,
          1.5);
}

void drawFigure(QImage& image, const Pose& p) {
    drawDetonatorBox(image, Side::Left);
    drawPlunger(image, p.barTop);
    // Limbs first, so that they come out of the body's outline.
    for (const Limb& arm : {p.farArm, p.nearArm}) {
        drawLimb(image, arm);
    }
    for (const Limb& leg : {p.farLeg, p.nearLeg}) {
        drawLimb(image, leg);
        drawShoe(image, leg.end);
    }
    drawTorso(image, p);
    drawHead(image, onTorso(p, kHeadOnTorso.x(), kHeadOnTorso.y()));
    drawFist(image, kFarFist, p.barTop);
    drawFist(image, kNearFist, p.barTop);
}

// Question marks around a puzzled player: x, y of the top-left corner and
// height, for the left player (the right player's are mirrored in place).
struct Puzzle {
    int x, y, height;
};

std::vector<Puzzle> puzzles(Stance stance) {
    if (stance == Stance::Standing) {
        return {{4, 26, 30}, {100, 8, 24}, {74, 2, 14}, {6, 112, 22}, {104, 60, 16}, {14, 74, 14}};
    }
    return {{6, 30, 30}, {52, 8, 22}, {100, 22, 18}, {6, 100, 20}, {30, 4, 14}, {112, 76, 14}};
}

}  // namespace

QImage player(Side side, Stance stance, bool confused, int width) {
    QImage image = blank(kPlayerCanvasWidth, kPlayerHeight);
    drawFigure(image, stance == Stance::Standing ? standingPose() : pushingPose());
    if (side == Side::Right) {
        image = image.mirrored(true, false);
        drawDetonatorFace(image, side);
    }
    if (confused) {
        for (const Puzzle& q : puzzles(stance)) {
            const int x =
                side == Side::Left ? q.x : kPlayerCanvasWidth - q.x - questionMarkWidth(q.height);
            questionMark(image, x, q.y, q.height);
        }
    }
    return image.copy(0, 0, width, kPlayerHeight);
}

}  // namespace art
