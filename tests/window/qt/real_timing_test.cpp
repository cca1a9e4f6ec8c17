// Stuns, countdown and finale keep their durations in the real window, on
// the real clock and timers. None may end early, which the game alone
// decides; how late one ends is the machine's too (a busy core, a sanitizer
// build), so only a wait far too long fails here: the lateness to the
// millisecond is the timing bench's.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include "support/modal_answerer.h"
#include "window/qt/main_window.h"

namespace klobbet {
namespace {

// A quarter over: a wait run twice, or a second one too many, fails.
double tooLong(double ms) {
    return ms * 1.25;
}

struct RunningMatch : ::testing::Test {
    MainWindow window;

    void SetUp() override {
        testing::answerNextBox("OK");
        window.load();
        window.showCentred();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // A match already past its countdown, every direction "left".
    void playWithoutCountdown() {
        Form1& form = window.form();
        form.gameOver = false;
        form.sequence.assign(static_cast<std::size_t>(form.sequenceLength), 0);
        form.leftProgress = form.rightProgress = 1;
        form.symbolShift = 1;
        form.Command1.setEnabled(false);
        ASSERT_TRUE(window.field()->hasFocus());
    }
};

TEST_F(RunningMatch, AStunLastsTwoSecondsOfWallTime) {
    playWithoutCountdown();
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(window.field(), Qt::Key_Z);  // wrong: the sequence wants Q
    ASSERT_TRUE(window.form().leftStunned);
    while (window.form().leftStunned && clock.elapsed() < 4000) {
        QTest::qWait(1);
    }
    EXPECT_GE(clock.elapsed(), 2000);
    EXPECT_LT(static_cast<double>(clock.elapsed()), tooLong(2000.0));
    EXPECT_FALSE(window.form().leftStunned);
}

TEST_F(RunningMatch, TheCountdownHoldsTheEventThreadForThreeSeconds) {
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(window.playButton(), Qt::LeftButton);
    EXPECT_GE(clock.elapsed(), 3000);
    EXPECT_LT(static_cast<double>(clock.elapsed()), tooLong(3000.0));
    EXPECT_FALSE(window.form().gameOver);
    EXPECT_TRUE(window.field()->hasFocus());
}

TEST_F(RunningMatch, TheFinaleReturnsAfterSixPointFourSeconds) {
    playWithoutCountdown();
    Form1& form = window.form();
    form.rightProgress = form.sequenceLength;
    // A stun that comes due during the finale ends after it.
    QTest::keyClick(window.field(), Qt::Key_D);
    ASSERT_TRUE(form.leftStunned);
    bool stunnedMidFinale = false;
    QTimer::singleShot(3000, [&] { stunnedMidFinale = form.leftStunned; });
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(window.field(), Qt::Key_Left);
    EXPECT_GE(clock.elapsed(), 6400);
    EXPECT_LT(static_cast<double>(clock.elapsed()), tooLong(6400.0));
    EXPECT_TRUE(form.gameOver);
    EXPECT_TRUE(window.playButton()->isEnabled());
    EXPECT_TRUE(stunnedMidFinale) << "the stun timer fired inside the finale";
    EXPECT_FALSE(form.leftStunned) << "the stun that came due did not end after the finale";
}

}  // namespace
}  // namespace klobbet
