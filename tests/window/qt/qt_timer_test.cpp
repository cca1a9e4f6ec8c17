#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <string>
#include <vector>

#include "support/modal_answerer.h"
#include "window/qt/message_box.h"
#include "window/qt/qt_controls.h"

namespace klobbet {
namespace {

struct TimedGate {
    std::vector<std::string> log;
    EventGate gate{[] { QCoreApplication::processEvents(); }};
    QObject owner;
};

TEST(QtTimer, TicksFromTheMomentItIsEnabledUntilDisabled) {
    TimedGate t;
    QElapsedTimer clock;
    std::vector<qint64> ticks;
    QtTimer timer(&t.owner, 100, t.gate, [&] { ticks.push_back(clock.elapsed()); });
    clock.start();
    timer.setEnabled(true);
    EXPECT_TRUE(timer.isEnabled());
    QTest::qWait(350);
    timer.setEnabled(false);
    QTest::qWait(250);
    ASSERT_EQ(ticks.size(), 3u);
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        // Never early; late only by what a busy machine adds, not by a
        // schedule that drifts from tick to tick.
        EXPECT_GE(ticks[i], 100 * static_cast<qint64>(i + 1)) << i;
        EXPECT_LT(ticks[i], 100 * static_cast<qint64>(i + 1) + 50) << i;
    }
}

TEST(QtTimer, ATickDueWhileAModalBoxIsOpenComesAfterTheHandlerOnce) {
    TimedGate t;
    QtTimer timer(&t.owner, 40, t.gate, [&] {
        t.log.push_back("tick");
        EXPECT_FALSE(t.gate.isRunning() && t.log.size() < 2);
    });
    t.gate.deliver(EventGate::Kind::Input, [&] {
        timer.setEnabled(true);
        t.log.push_back("box opens");
        // The box stays up for several intervals: its nested loop runs the timer.
        testing::answerNextBox("OK", [](QMessageBox&) { QTest::qWait(300); });
        showMessageBox(nullptr, "attendez", 0, "t");
        t.log.push_back("box closed");
    });
    ASSERT_GE(t.log.size(), 3u);
    EXPECT_EQ(t.log[0], "box opens");
    EXPECT_EQ(t.log[1], "box closed");
    EXPECT_EQ(t.log[2], "tick");
    EXPECT_EQ(t.log.size(), 3u) << "ticks that waited are not piled up";
    timer.setEnabled(false);
}

TEST(QtTimer, AWaitingTickOfADisabledTimerIsDropped) {
    TimedGate t;
    int ticks = 0;
    QtTimer timer(&t.owner, 20, t.gate, [&] { ++ticks; });
    t.gate.deliver(EventGate::Kind::Input, [&] {
        timer.setEnabled(true);
        QTest::qWait(100);
        timer.setEnabled(false);
    });
    QTest::qWait(50);
    EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace klobbet
