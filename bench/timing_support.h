#pragma once
// What the timing bench's two halves share: the clock, a real event loop,
// the recording services that keep every clock reading of the game's
// waits, and the left player's keys.

#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "window/form1.h"
#include "window/qt/qt_services.h"

namespace klobbet::bench {

using Clock = std::chrono::steady_clock;

inline double secondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

inline void require(bool condition, const std::string& what) {
    if (!condition) {
        throw std::runtime_error(what);
    }
}

// Runs the event loop the way QApplication::exec does, so timers fire on
// time (QTest::qWait naps 10 ms between rounds), until quit() or the timeout.
class Loop {
  public:
    bool run(int timeoutMs) {
        bool timedOut = false;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &loop_, [&] {
            timedOut = true;
            loop_.quit();
        });
        guard.start(timeoutMs);
        loop_.exec();
        return !timedOut;
    }
    void quit() { loop_.quit(); }

  private:
    QEventLoop loop_;
};

struct Reading {
    double seconds;
    bool afterPause;  // a pause came between this reading and the one before
};

// The real clock and pause, with every reading kept.
class RecordingServices : public klobbet::QtServices {
  public:
    using QtServices::QtServices;
    double clockSeconds() override {
        const double seconds = QtServices::clockSeconds();
        readings.push_back({seconds, paused_});
        paused_ = false;
        return seconds;
    }
    void pauseBriefly(double left) override {
        QtServices::pauseBriefly(left);
        paused_ = true;
    }
    std::vector<Reading> readings;

  private:
    bool paused_ = false;
};

inline Qt::Key leftPlayerKey(int direction) {
    static constexpr Qt::Key kKeys[4] = {Qt::Key_Q, Qt::Key_Z, Qt::Key_D, Qt::Key_S};
    return kKeys[direction];
}

inline std::int16_t leftPlayerCode(int direction) {
    static constexpr std::int16_t kCodes[4] = {81, 90, 68, 83};
    return kCodes[direction];
}

inline int leftDirection(const klobbet::Form1& form) {
    return form.sequence.at(static_cast<std::size_t>(form.leftProgress - 1));
}

}  // namespace klobbet::bench
