#pragma once

#include "window/form1.h"

namespace klobbet {

// Reaches the window's private procedures from the tests.
struct Form1Probe {
    static void drawCandleGauge(Form1& form, std::int16_t player, double colour) {
        form.drawCandleGauge(player, colour);
    }
    static void playFinale(Form1& form, std::int16_t winner) { form.playFinale(winner); }
    // One of the game's waits, `span` ten-thousandths of a second from now.
    static void wait(Form1& form, std::int64_t span) { form.waitPast(form.clockTicks(), span); }
};

}  // namespace klobbet
