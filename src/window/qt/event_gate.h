#pragma once

#include <deque>
#include <functional>
#include <vector>

namespace klobbet {

// Runs the game's handlers one at a time, each to its end. A timer tick or a
// close request that comes while a handler runs (a wait, a modal box's
// nested loop) is held back and delivered after that handler returns, once
// the input that waited meanwhile has been handled.
class EventGate {
  public:
    using Handler = std::function<void()>;
    enum class Kind { Input, Deferred };

    // `flushInput` delivers the input events the window system kept queued.
    explicit EventGate(std::function<void()> flushInput);

    void deliver(Kind kind, Handler handler);
    // Runs after every handler, as it returns: where the drawing it held
    // back reaches the screen.
    void afterEachHandler(Handler onReturn);
    // After the program has ended nothing more runs.
    void close();
    bool isRunning() const { return running_; }
    bool isClosed() const { return closed_; }

  private:
    void run(const Handler& handler);
    void drainHeld();

    std::function<void()> flushInput_;
    std::deque<Handler> held_;
    std::vector<Handler> onReturn_;
    bool running_ = false;
    bool draining_ = false;
    bool closed_ = false;
};

}  // namespace klobbet
