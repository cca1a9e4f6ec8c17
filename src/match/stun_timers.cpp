#include "window/form1.h"

namespace klobbet {

void Form1::Timer1_Timer() {
    endStun(leftSide());
}

void Form1::Timer2_Timer() {
    endStun(rightSide());
}

// Stuns end whether or not a match still runs: the player's normal pose and
// gauge come back over whatever the field shows there.
void Form1::endStun(const Side& side) {
    side.stunned = false;
    Picture1.PaintPicture(side.poses.at(static_cast<std::size_t>(side.progress % 2)), side.poseX,
                          200);
    drawCandleGauge(side.player, kBlack);
    side.timer.setEnabled(false);
}

}  // namespace klobbet
