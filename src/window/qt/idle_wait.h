#pragma once

#include <QTimer>

namespace klobbet {

// How the countdown and the finale hold the event thread without costing
// more than an idle program: the thread sleeps in the event loop, with an
// alarm at the wait's deadline, and wakes early only when the window system
// needs an answer (a ping, an uncovered part of the window, a Wayland frame,
// a posted event). Keys and clicks stay queued for after the handler.
class IdleWait {
  public:
    IdleWait();

    // Sleeps at most `seconds`, handling no input; comes back sooner when an
    // event came. Never sleeps past the deadline.
    void sleepAtMost(double seconds);

  private:
    QTimer alarm_;
};

}  // namespace klobbet
