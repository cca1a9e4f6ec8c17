#include "window/form1.h"

namespace klobbet {

namespace {

constexpr std::int16_t kEscape = 27;
constexpr std::int16_t kLeftArrow = 37;
constexpr std::int16_t kDownArrow = 40;

// The left player's letters, indexed by direction: Q left, Z up, D right,
// S down, laid out like the arrows on a French keyboard.
constexpr std::int16_t kLeftPlayerKeys[4] = {81, 90, 68, 83};

int leftPlayerDirection(std::int16_t keyCode) {
    for (int direction = 0; direction < 4; ++direction) {
        if (kLeftPlayerKeys[direction] == keyCode) {
            return direction;
        }
    }
    return -1;
}

}  // namespace

Form1::Side Form1::leftSide() {
    return {1, leftProgress, leftStunned, leftEasy, leftPoses, 100, Picture3, Timer1};
}

Form1::Side Form1::rightSide() {
    return {2, rightProgress, rightStunned, rightEasy, rightPoses, 400, Picture4, Timer2};
}

void Form1::Picture1_KeyUp(std::int16_t keyCode, std::int16_t /*shift*/) {
    if (keyCode == kEscape) {
        gameOver = true;
        Command1.setEnabled(true);
        mnupartie.setEnabled(true);
        return;
    }
    if (gameOver) {
        return;
    }
    if (keyCode >= kLeftArrow && keyCode <= kDownArrow && !rightStunned) {
        playKey(rightSide(), keyCode - kLeftArrow == directionAt(rightProgress));
        return;
    }
    const int leftDirection = leftPlayerDirection(keyCode);
    if (leftDirection >= 0 && !leftStunned) {
        const bool leftKeyMatches = leftDirection == directionAt(leftProgress);
        playKey(leftSide(), leftKeyMatches);
    }
}

void Form1::playKey(const Side& side, bool correct) {
    if (!correct) {
        side.stunned = true;
        Picture1.PaintPicture(side.poses.at(static_cast<std::size_t>(side.progress % 2 + 2)),
                              side.poseX, 200);
        drawCandleGauge(side.player, kBlack);
        side.timer.setEnabled(true);
        return;
    }
    // The gauge's shape depends on the progress: wipe it before it grows.
    drawCandleGauge(side.player, kWhite);
    ++side.progress;
    if (side.progress == sequenceLength + 1) {
        playFinale(side.player);
        return;
    }
    Picture1.PaintPicture(side.poses.at(static_cast<std::size_t>(side.progress % 2)), side.poseX,
                          200);
    drawCandleGauge(side.player, kBlack);
    side.symbolBox.PaintPicture(symbolFor(side.easy, directionAt(side.progress)), 0, 0);
}

}  // namespace klobbet
