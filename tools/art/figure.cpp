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

// Shoulders and hips in the torso's own upright coordinates: the far
// shoulder higher and further back than the near one, so the arms leave the
// body apart.
const QPointF kFarShoulder(2, -71), kNearShoulder(16, -58), kFarHip(-4, -6), kNearHip(14, -4);
const QPointF kHeadOnTorso(2, -104);

// The hands grip the ends of the crossbar from above, clear of columns
// 135..148, where the candle of the gauge climbs past the handle. `end` of
// an arm is its wrist, inside the fist.
constexpr int kFistWidth = 10;
constexpr int kNearFist = kBarLeft, kFarFist = kBarRight + 1 - kFistWidth;  // left columns

// Upright, his hands resting on the raised handle: the far arm comes over
// the top with its elbow up, the near one from below with its elbow down,
// so a wedge of white parts them all the way to the hands.
Pose standingPose() {
    Pose p{};
    p.hip = {58, 156};
    p.barTop = 108;
    p.farArm = {onTorso(p, kFarShoulder), {100, 87}, {kFarFist + 3, p.barTop - 5.0}};
    p.nearArm = {onTorso(p, kNearShoulder), {104, 108}, {kNearFist + 3, p.barTop - 3.0}};
    p.farLeg = {onTorso(p, kFarHip), {50, 172}, {48, 190}};
    p.nearLeg = {onTorso(p, kNearHip), {72, 172}, {73, 190}};
    return p;
}

// Bearing down on the handle: the body and head bow towards the box, both
// arms are locked straight from shoulder to fist, the front knee is bent
// over its foot and the back leg braces behind.
Pose pushingPose() {
    Pose p{};
    p.hip = {44, 161};
    p.lean = 24;
    p.nod = 6;
    p.barTop = 142;
    const QPointF farShoulder = onTorso(p, kFarShoulder), nearShoulder = onTorso(p, kNearShoulder);
    const QPointF farWrist(kFarFist + 3, p.barTop - 5.0), nearWrist(kNearFist + 3, p.barTop - 3.0);
    p.farArm = {farShoulder, (farShoulder + farWrist) / 2.0, farWrist};
    p.nearArm = {nearShoulder, (nearShoulder + nearWrist) / 2.0, nearWrist};
    p.farLeg = {onTorso(p, kFarHip), {30, 177}, {14, 190}};
    p.nearLeg = {onTorso(p, kNearHip), {88, 178}, {78, 190}};
    return p;
}

void drawLimb(QImage& image, const Limb& limb) {
    line(image, {limb.root, limb.joint, limb.end}, ink::Black, kLine);
}

// A fist closed on the crossbar: the outline as heavy as every other line,
// and the finger tips curled over the bar's top edge with red between them.
void drawFist(QImage& image, int left, int barTop) {
    // clang-format off
    static const std::vector<std::string> fist = {
        "..KKKKKK..",
        ".KKKKKKKK.",
        "KKWWWWWWKK",
        "KKWWWWWWKK",
        "KKWWWWWWKK",
        "KKWWKKWWKK",
        "KKWWKKWWKK",
        "KKWWKKWWKK",
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

void drawTorso(QImage& image, const Pose& p) {
    QPainterPath t;
    t.moveTo(-6, -74);
    t.cubicTo(-18, -62, -24, -30, -18, -10);
    t.cubicTo(-14, 4, 20, 6, 32, -4);
    t.cubicTo(48, -18, 44, -42, 22, -54);
    t.cubicTo(14, -60, 12, -68, 8, -74);
    t.closeSubpath();
    QTransform m;
    m.translate(p.hip.x(), p.hip.y());
    m.rotate(p.lean);
    shape(image, m.map(t), ink::White, ink::Black, kLine);
    QPainterPath navel({29, -29});
    navel.quadTo({32, -25.5}, {29, -22});
    stroke(image, m.map(navel), ink::Black, kLine);
}

void drawFigure(QImage& image, const Pose& p, Mood mood) {
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
        return {{4, 26, 30}, {100, 8, 24}, {84, 2, 14}, {6, 112, 22}, {14, 74, 14}};
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
