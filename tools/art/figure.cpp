// The two players: a grinning, pot-bellied fellow with a big round head,
// working a blasting plunger. Both players are the same fellow; the right one
// is the left one seen in a mirror.

#include "art.h"
#include "canvas.h"
#include "head.h"
#include "props.h"

#include <QTransform>

namespace art {
namespace {

// A limb of two straight bones, so the bend is one clear angle.
struct Limb {
    QPointF root, joint, end;
};

struct Pose {
    QPointF hip;  // where the torso is anchored (between the legs)
    double lean;  // degrees; positive bends the body towards the box
    double nod;   // degrees the head bows further than the body
    Limb farArm, nearArm, farLeg, nearLeg;
    int barTop;
};

QPointF onTorso(const Pose& p, QPointF local) {
    QTransform m;
    m.translate(p.hip.x(), p.hip.y());
    m.rotate(p.lean);
    return m.map(local);
}

// Shoulders and hips in the torso's own upright coordinates. The far arm,
// behind the body, comes out from under the chin; the near one, in front of
// it, leaves the chest from a point of its outline: from a raised shoulder
// high on the outline, and from a lowered one where the outline is steep
// enough that the arm leaves it at a clear angle. Either way the arms start
// well apart and stay apart.
const QPointF kFarShoulder(10, -80), kRaisedShoulder(12.8, -68.7), kLoweredShoulder(16.3, -60.4);
const QPointF kFarHip(-4, -6), kNearHip(14, -4);
const QPointF kHeadOnTorso(2, -104);

// Both hands hold the bar beside the rod, the near one nearer the body and
// the far one next to the rod; the far arm passes above the near fist. `end`
// of an arm is its wrist, at the fist's upper edge on the side the arm
// comes from.
constexpr int kFistWidth = 10;
constexpr int kNearFist = kBarLeft + 2, kFarFist = kBarRight - kFistWidth - 1;  // left columns

// Upright, his hands resting on the raised handle: the far arm comes over
// with its elbow up, the near one with its elbow low, so white parts them
// all the way to the hands.
Pose standingPose() {
    Pose p{};
    p.hip = {48, 156};
    p.barTop = 97;
    p.farArm = {onTorso(p, kFarShoulder), {86, 76}, {kFarFist + 2.0, p.barTop - 2.0}};
    p.nearArm = {onTorso(p, kRaisedShoulder), {80, 97}, {kNearFist + 1.0, p.barTop + 1.0}};
    p.farLeg = {onTorso(p, kFarHip), {42, 172}, {40, 190}};
    p.nearLeg = {onTorso(p, kNearHip), {64, 172}, {65, 190}};
    return p;
}

// Bearing down on the handle: the body and head bow towards the box, both
// arms are locked straight from shoulder to fist, the front knee is bent
// over its foot and the back leg braces behind.
Pose pushingPose() {
    Pose p{};
    p.hip = {32, 161};
    p.lean = 24;
    p.nod = 8;
    p.barTop = 140;
    const QPointF farShoulder = onTorso(p, kFarShoulder),
                  nearShoulder = onTorso(p, kRaisedShoulder);
    const QPointF farWrist(kFarFist + 2.0, p.barTop - 2.0), nearWrist(kNearFist + 1.0, p.barTop);
    p.farArm = {farShoulder, (farShoulder + farWrist) / 2.0, farWrist};
    p.nearArm = {nearShoulder, (nearShoulder + nearWrist) / 2.0, nearWrist};
    p.farLeg = {onTorso(p, kFarHip), {28, 177}, {12, 190}};
    p.nearLeg = {onTorso(p, kNearHip), {80, 178}, {72, 190}};
    return p;
}

void drawLimb(QImage& image, const Limb& limb) {
    pen(image, {limb.root, limb.joint, limb.end}, ink::Black);
}

// A fist closed round the bar: the bar goes in at one side and out at the
// other, the knuckles round off the top and two creases part the fingers
// curled under it.
void drawFist(QImage& image, int left, int barTop) {
    // clang-format off
    static const std::vector<std::string> fist = {
        "..KKKKKK..",
        ".KKKKKKKK.",
        "KKWWWWWWKK",
        "KKWWWWWWKK",
        "KKWWWWWWKK",
        "KKWKWWKWKK",
        "KKWKWWKWKK",
        "KKWKWWKWKK",
        ".KKKKKKKK.",
        "..KKKKKK..",
    };
    // clang-format on
    stamp(image, left, barTop - 3, fist, {{'K', ink::Black}, {'W', ink::White}});
}

void drawShoe(QImage& image, QPointF ankle) {
    QPainterPath sole;
    sole.addRect(0, 0, image.width(), kSoleRow + 1);
    const QPainterPath shoe =
        ellipse({ankle.x() + 5.0, kSoleRow - 2.0}, 10.0, 6.0).intersected(sole);
    fill(image, shoe, ink::Black);
}

void drawTorso(QImage& image, const Pose& p) {
    QPainterPath t;
    t.moveTo(-8, -82);
    t.cubicTo(-18, -64, -24, -30, -18, -10);
    t.cubicTo(-14, 4, 20, 6, 32, -4);
    t.cubicTo(48, -18, 44, -42, 22, -54);
    t.cubicTo(14, -60, 12, -70, 10, -82);
    t.closeSubpath();
    QTransform m;
    m.translate(p.hip.x(), p.hip.y());
    m.rotate(p.lean);
    penShape(image, m.map(t), ink::White, ink::Black);
    QPainterPath navel({29, -29});
    navel.quadTo({32, -25.5}, {29, -22});
    pen(image, m.map(navel), ink::Black);
}

void drawFigure(QImage& image, const Pose& p, Mood mood) {
    drawDetonatorBox(image, Side::Left);
    drawPlunger(image, p.barTop);
    // The far arm and the legs first, so that they come out of the body's
    // outline; the near arm is in front of the body, over the belly.
    drawLimb(image, p.farArm);
    for (const Limb& leg : {p.farLeg, p.nearLeg}) {
        drawLimb(image, leg);
        drawShoe(image, leg.end);
    }
    drawTorso(image, p);
    drawLimb(image, p.nearArm);
    drawHead(image, onTorso(p, kHeadOnTorso), p.lean + p.nod, mood);
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
        return {{2, 8, 26}, {90, 4, 24}, {108, 34, 14}, {2, 100, 22}, {4, 64, 14}};
    }
    return {{6, 30, 30}, {48, 2, 22}, {102, 4, 14}, {6, 100, 20}, {24, 4, 14}};
}

}  // namespace

QImage player(Side side, Stance stance, bool confused, int width) {
    QImage image = blank(kPlayerCanvasWidth, kPlayerHeight);
    drawFigure(image, stance == Stance::Standing ? standingPose() : pushingPose(),
               confused ? Mood::Puzzled : Mood::Grinning);
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
