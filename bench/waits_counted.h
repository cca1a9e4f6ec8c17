#pragma once
// The game's waits as the game counts them: a second Form1 drives the real
// window's widgets through recording services, so each wait's end can be
// set against its own deadline; and what waiting alone costs the machine.

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <vector>

#include "window/qt/main_window.h"

namespace klobbet::bench {

struct Deadline {
    QString what;
    double lateness;  // seconds past start + span when the wait saw it
};

// Where a finale's 6.4 s go besides its waits: the winning key up to the
// first step's clock reading, and the drawing between the end of one step's
// wait and the next step's first reading, which piles up when each step
// counts from a fresh reading.
struct FinaleCount {
    double total = 0;            // the winning key to the last wait's end
    double beforeFirstStep = 0;  // the winning key to the first step's start
    double drawing = 0;          // steps 2 to 8, added up
    bool freshStarts = false;    // each step read the clock afresh
};

struct Recorded {
    std::vector<Deadline> deadlines;  // the matches' waits, then the short ones
    std::vector<FinaleCount> finales;
    std::vector<double> gaps;  // between two readings with a pause between them
};

// Plays `matches` matches on the twin, left player only, then makes it wait
// `shortWaits` times more, 5 to 30 ms each: a match has only a dozen
// deadlines, too few for a lateness percentile that holds from run to run.
Recorded waitsAsCounted(MainWindow& window, int matches, int shortWaits);

// The share of one core that two seconds of the game's pause cost, and two
// seconds of an idle event loop.
QJsonObject pauseCosts(MainWindow& window);

// How far past its end each of a few hundred plain 2 ms sleeps wakes.
QJsonArray sleepOvershoots();

}  // namespace klobbet::bench
