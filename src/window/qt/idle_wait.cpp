#include "window/qt/idle_wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <chrono>
#include <cmath>

#include "window/qt/precise_sleep.h"

namespace klobbet {

namespace {

// The event loop's timers count whole milliseconds and its poll rounds up to
// the next one, and Linux lets a poll oversleep by a thousandth of its
// timeout (5 ms in the finale's last wait): an alarm this far ahead of the
// deadline never rings late, and the last stretch is slept on the clock,
// whose sleeps keep to a few microseconds.
constexpr double kAlarmLead = 0.002;
constexpr double kPollSlack = 0.001;

// An event loop that comes back sooner than this without its alarm may have
// something asking for it again at once (an animation, a busy connection):
// the wait naps, so it never costs more than a reading every millisecond.
constexpr double kShortestRound = 0.001;

}  // namespace

IdleWait::IdleWait() {
    alarm_.setSingleShot(true);
    alarm_.setTimerType(Qt::PreciseTimer);
}

void IdleWait::sleepAtMost(double seconds) {
    QElapsedTimer round;
    round.start();
    const double lead = kAlarmLead + seconds * kPollSlack;
    const auto alarmIn = static_cast<long>(std::floor((seconds - lead) * 1000));
    if (alarmIn < 1) {
        // The last few milliseconds are slept through: what comes meanwhile
        // is answered right after, where answering it now (a repaint while a
        // screenshot keeps the X server busy, say) could take the deadline
        // with it.
        sleepPrecisely(seconds);
        return;
    }
    alarm_.start(std::chrono::milliseconds(alarmIn));
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                    QEventLoop::ExcludeUserInputEvents);
    const bool rang = !alarm_.isActive();
    alarm_.stop();
    const double took = static_cast<double>(round.nsecsElapsed()) * 1e-9;
    if (!rang && took < kShortestRound) {
        sleepPrecisely(std::min(kShortestRound, seconds) - took);
    }
}

}  // namespace klobbet
