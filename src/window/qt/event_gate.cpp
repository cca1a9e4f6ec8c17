#include "window/qt/event_gate.h"

#include <utility>

namespace klobbet {

EventGate::EventGate(std::function<void()> flushInput) : flushInput_(std::move(flushInput)) {}

void EventGate::deliver(Kind kind, Handler handler) {
    if (closed_) {
        return;
    }
    // While held events drain, a new tick queues behind the older ones.
    if (running_ || (draining_ && kind == Kind::Deferred)) {
        held_.push_back(std::move(handler));
        return;
    }
    run(handler);
    if (!draining_) {
        drainHeld();
    }
}

void EventGate::afterEachHandler(Handler onReturn) {
    onReturn_.push_back(std::move(onReturn));
}

void EventGate::close() {
    closed_ = true;
    held_.clear();
}

void EventGate::run(const Handler& handler) {
    struct Running {
        EventGate& gate;
        explicit Running(EventGate& g) : gate(g) { gate.running_ = true; }
        ~Running() {
            gate.running_ = false;
            if (gate.closed_) {
                return;
            }
            for (const Handler& onReturn : gate.onReturn_) {
                onReturn();
            }
        }
    } running(*this);
    handler();
}

void EventGate::drainHeld() {
    draining_ = true;
    while (!held_.empty() && !closed_) {
        flushInput_();
        if (held_.empty() || closed_) {
            break;
        }
        Handler next = std::move(held_.front());
        held_.pop_front();
        run(next);
    }
    draining_ = false;
}

}  // namespace klobbet
