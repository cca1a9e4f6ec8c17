#include "window/qt/event_gate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace klobbet {
namespace {

using Kind = EventGate::Kind;

struct Recorder {
    std::vector<std::string> log;
    std::vector<std::function<void()>> pendingInput;  // what the window system kept queued
    EventGate gate{[this] {
        auto input = std::move(pendingInput);
        pendingInput.clear();
        for (auto& deliverInput : input) {
            deliverInput();
        }
    }};
};

TEST(EventGate, RunsAHandlerAtOnceWhenNothingRuns) {
    Recorder r;
    r.gate.deliver(Kind::Input, [&] { r.log.push_back("click"); });
    EXPECT_EQ(r.log, std::vector<std::string>{"click"});
}

TEST(EventGate, HoldsTicksUntilTheRunningHandlerReturnsThenKeepsTheirOrder) {
    Recorder r;
    r.gate.deliver(Kind::Input, [&] {
        r.log.push_back("countdown begins");
        r.gate.deliver(Kind::Deferred, [&] { r.log.push_back("tick 1"); });
        r.gate.deliver(Kind::Deferred, [&] { r.log.push_back("tick 2"); });
        EXPECT_TRUE(r.gate.isRunning());
        r.log.push_back("countdown ends");
    });
    EXPECT_EQ(r.log,
              (std::vector<std::string>{"countdown begins", "countdown ends", "tick 1", "tick 2"}));
    EXPECT_FALSE(r.gate.isRunning());
}

TEST(EventGate, InputThatWaitedGoesBeforeHeldTicks) {
    Recorder r;
    r.gate.deliver(Kind::Input, [&] {
        r.gate.deliver(Kind::Deferred, [&] { r.log.push_back("tick"); });
        r.pendingInput.push_back(
            [&] { r.gate.deliver(Kind::Input, [&] { r.log.push_back("key"); }); });
    });
    EXPECT_EQ(r.log, (std::vector<std::string>{"key", "tick"}));
}

TEST(EventGate, AHeldHandlerThatWaitsHoldsItsOwnTicksNeverNesting) {
    Recorder r;
    int depth = 0;
    int deepest = 0;
    const auto handler = [&](const std::string& name, bool spawn) {
        return [&, name, spawn] {
            deepest = std::max(deepest, ++depth);
            r.log.push_back(name);
            if (spawn) {
                r.gate.deliver(Kind::Deferred, [&] {
                    deepest = std::max(deepest, ++depth);
                    r.log.push_back("close request");
                    --depth;
                });
            }
            --depth;
        };
    };
    r.gate.deliver(Kind::Input, [&] {
        r.gate.deliver(Kind::Deferred, handler("first tick", true));
        r.gate.deliver(Kind::Deferred, handler("second tick", false));
    });
    EXPECT_EQ(r.log, (std::vector<std::string>{"first tick", "second tick", "close request"}));
    EXPECT_EQ(deepest, 1);
}

TEST(EventGate, NothingRunsOnceClosed) {
    Recorder r;
    r.gate.deliver(Kind::Input, [&] {
        r.gate.deliver(Kind::Deferred, [&] { r.log.push_back("tick"); });
        r.gate.close();
    });
    r.gate.deliver(Kind::Input, [&] { r.log.push_back("key"); });
    EXPECT_TRUE(r.log.empty());
}

TEST(EventGate, AThrowingHandlerLeavesTheGateUsable) {
    Recorder r;
    EXPECT_THROW(r.gate.deliver(Kind::Input, [] { throw std::runtime_error("bitmap"); }),
                 std::runtime_error);
    EXPECT_FALSE(r.gate.isRunning());
    r.gate.deliver(Kind::Input, [&] { r.log.push_back("after"); });
    EXPECT_EQ(r.log, std::vector<std::string>{"after"});
}

}  // namespace
}  // namespace klobbet
