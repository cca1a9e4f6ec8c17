#include "window/qt/qt_services.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "window/bitmaps.h"

namespace klobbet {
namespace {

QtServices services() {
    return QtServices([]() -> QWidget* { return nullptr; }, [] {});
}

TEST(PicturesDecodedAhead, AreTheBitmapsTheLoadingAsksFor) {
    QtServices ahead = services();
    ahead.decodePicturesAhead();
    for (int number = kFirstBitmap; number <= kLastBitmap; ++number) {
        const Picture expected = loadBitmapResource(number);
        const Picture first = ahead.LoadPicture(number);
        const Picture again = ahead.LoadPicture(number);
        ASSERT_TRUE(first && again) << number;
        EXPECT_EQ(*first, *expected) << number;
        EXPECT_EQ(*again, *expected) << number;
    }
    EXPECT_THROW(ahead.LoadPicture(kLastBitmap + 1), BitmapLoadError);
    EXPECT_THROW(ahead.LoadPicture(kFirstBitmap - 1), BitmapLoadError);
}

TEST(PicturesDecodedAhead, LoadAsUsualWhenNothingWasDecoded) {
    QtServices plain = services();
    EXPECT_EQ(*plain.LoadPicture(120), *loadBitmapResource(120));
    // Too late to help: the loading has begun, and still loads the same.
    plain.decodePicturesAhead();
    EXPECT_EQ(*plain.LoadPicture(121), *loadBitmapResource(121));
}

// Every event the application delivers meanwhile, whoever it is for: a
// wait may wake for each, and for nothing else.
struct EventCount : QObject {
    int seen = 0;
    EventCount() { QCoreApplication::instance()->installEventFilter(this); }
    bool eventFilter(QObject* /*watched*/, QEvent* /*event*/) override {
        ++seen;
        return false;
    }
};

// A wait as the game's own are written: read the clock, pause for what is
// left, until the deadline has passed.
struct Wait {
    int pauses = 0;
    int events = 0;       // delivered while it ran, its own alarms included
    double lateness = 0;  // seconds past the deadline at the reading that ended it

    Wait(QtServices& services, double seconds) {
        const EventCount count;
        const double deadline = services.clockSeconds() + seconds;
        for (double now = services.clockSeconds(); now < deadline; now = services.clockSeconds()) {
            services.pauseBriefly(deadline - now);
            ++pauses;
        }
        lateness = services.clockSeconds() - deadline;
        events = count.seen;
    }
    // An alarm at the deadline and a last short sleep, plus a round for
    // each event that came: not a reading every millisecond.
    bool sleptThrough() const { return pauses <= 3 + events / 2; }
};

// How late a wait may end here; the lateness to the tenth of a millisecond
// is the timing bench's.
constexpr double kLate = 0.025;

TEST(Waits, SleepUntilTheirDeadlineAndEndOnIt) {
    QtServices waiting = services();
    for (const double seconds : {0.3, 0.0015, 0.0}) {
        const Wait wait(waiting, seconds);
        EXPECT_TRUE(wait.sleptThrough())
            << seconds << ": " << wait.pauses << " pauses for " << wait.events << " events";
        EXPECT_GE(wait.lateness, 0.0) << seconds;
        // A wait that sleeps in steps of its own, not to its deadline,
        // ends later than this; a busy machine's scheduler alone does not.
        EXPECT_LT(wait.lateness, kLate) << seconds;
    }
}

TEST(Waits, WakeForTheEventsThatComeAndKeepSleepingAfter) {
    QtServices waiting = services();
    QElapsedTimer clock;
    clock.start();
    qint64 firedAt = -1;
    QTimer::singleShot(100, Qt::PreciseTimer, [&] { firedAt = clock.elapsed(); });
    const Wait wait(waiting, 0.3);
    EXPECT_GE(firedAt, 100);
    EXPECT_LE(firedAt, 150) << "the wait slept through a timer that came due";
    EXPECT_TRUE(wait.sleptThrough()) << wait.pauses << " pauses for " << wait.events << " events";
    EXPECT_GE(clock.elapsed(), 300);
}

// Something that asks for the event loop again as soon as it is served, as
// an animation does.
struct Restless : QObject {
    int served = 0;
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User) {
            return QObject::event(event);
        }
        ++served;
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
        return true;
    }
};

TEST(Waits, NapBetweenEventsThatComeBackToBack) {
    Restless restless;
    QCoreApplication::postEvent(&restless, new QEvent(QEvent::User));
    QtServices waiting = services();
    const Wait wait(waiting, 0.3);
    // Each is served, a millisecond apart at the most often: spinning would
    // serve thousands.
    EXPECT_GE(restless.served, 10);
    EXPECT_LE(wait.pauses, 400);
    EXPECT_LT(wait.lateness, kLate);
    QCoreApplication::removePostedEvents(&restless);
}

}  // namespace
}  // namespace klobbet
