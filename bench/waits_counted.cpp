#include "waits_counted.h"

#include <sys/resource.h>
#include <chrono>
#include <cmath>
#include <stdexcept>
#include <thread>

#include "support/form1_probe.h"
#include "timing_support.h"

namespace klobbet::bench {

namespace {

std::int64_t ticks(double seconds) {
    return std::llround(seconds * 10000.0);
}

// The reading that ended a wait begun at `start` (an index): the first one
// whose tick count is past `span`, or at it when `inclusive`.
std::size_t endOfWait(const std::vector<Reading>& readings, std::size_t start, std::size_t last,
                      std::int64_t span, bool inclusive) {
    const std::int64_t from = ticks(readings[start].seconds);
    for (std::size_t i = start + 1; i < last; ++i) {
        const std::int64_t elapsed = ticks(readings[i].seconds) - from;
        if (elapsed > span || (inclusive && elapsed == span)) {
            return i;
        }
    }
    throw std::runtime_error("a wait never reached its deadline");
}

double latenessOf(const std::vector<Reading>& readings, std::size_t start, std::size_t end,
                  std::int64_t span) {
    return readings[end].seconds - (readings[start].seconds + static_cast<double>(span) / 10000.0);
}

// The countdown reads the clock once to start, then once per round; its
// digits change, and it ends, at the first reading at or past each second.
void countdownDeadlines(const std::vector<Reading>& readings, std::size_t first, std::size_t last,
                        std::vector<Deadline>& out) {
    require(last - first > 3, "the countdown read no clock");
    const char* const names[] = {"countdown digit 2", "countdown digit 1", "countdown end"};
    for (int second = 1; second <= 3; ++second) {
        const std::size_t end = endOfWait(readings, first, last, second * 10000, true);
        out.push_back({QString::fromLatin1(names[second - 1]),
                       latenessOf(readings, first, end, second * 10000)});
        if (second == 3) {
            require(end == last - 1, "the countdown went on reading after its end");
        }
    }
}

// The finale's nine waits: eight steps of 0.2 s, then a pause to 5 s after
// the last step began. Either each step reads the clock afresh once the
// previous wait is over (a lone reading before the wait's own), or every
// wait counts from the finale's first reading; the readings right after
// the first wait tell which.
FinaleCount finaleDeadlines(const std::vector<Reading>& readings, std::size_t first,
                            std::size_t last, double keyAt, std::vector<Deadline>& out) {
    FinaleCount count;
    count.beforeFirstStep = readings[first].seconds - keyAt;
    const std::size_t firstEnd = endOfWait(readings, first, last, 2000, false);
    require(firstEnd + 2 < last, "the finale stopped after its first step");
    count.freshStarts = !readings[firstEnd + 2].afterPause;

    std::size_t start = first;
    std::size_t lastStepStart = first;
    std::size_t previousEnd = 0;
    for (int step = 1; step <= 8; ++step) {
        const std::int64_t span = count.freshStarts ? 2000 : 2000 * step;
        const std::size_t end = endOfWait(readings, start, last, span, false);
        out.push_back(
            {QStringLiteral("finale step %1").arg(step), latenessOf(readings, start, end, span)});
        if (step > 1) {
            count.drawing += readings[previousEnd + 1].seconds - readings[previousEnd].seconds;
        }
        previousEnd = end;
        lastStepStart = start;
        if (count.freshStarts) {
            start = end + 1;
            require(start < last && !readings[start].afterPause,
                    "a finale step did not start right after the previous one");
        }
    }
    const std::int64_t lastSpan = count.freshStarts ? 50000 : 7 * 2000 + 50000;
    const std::size_t end = endOfWait(readings, lastStepStart, last, lastSpan, false);
    require(end == last - 1, "the finale went on reading after its last wait");
    out.push_back(
        {QStringLiteral("finale pause"), latenessOf(readings, lastStepStart, end, lastSpan)});
    count.total = readings[end].seconds - keyAt;
    return count;
}

// What waiting alone costs: the share of one core the process uses for two
// seconds of the game's own pause, and for two seconds of an event loop
// with nothing to do, what an idle program costs.
double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

template <typename Pause>
double shareWhile(Pause pause) {
    const double cpuBefore = cpuSeconds();
    const Clock::time_point began = Clock::now();
    while (secondsBetween(began, Clock::now()) < 2.0) {
        pause();
    }
    return (cpuSeconds() - cpuBefore) / secondsBetween(began, Clock::now());
}

}  // namespace

Recorded waitsAsCounted(MainWindow& window, int matches, int shortWaits) {
    Form1& real = window.form();
    RecordingServices services([&window]() -> QWidget* { return &window; }, [] {});
    services.readings.reserve(1 << 20);
    Form1 twin(
        Form1Controls{real.Picture1, real.Picture2, real.Picture3, real.Picture4, real.Label3,
                      real.Command1, real.mnupartie, real.mnulent, real.mnumoyen, real.mnulong,
                      real.mnufacile, real.mnudifficile, real.mnudiabo1, real.mnufacile2,
                      real.mnudifficile2, real.mnudiabo2, real.Timer1, real.Timer2},
        services);
    twin.leftPoses = real.leftPoses;
    twin.rightPoses = real.rightPoses;
    twin.bigSymbols = real.bigSymbols;
    twin.smallSymbols = real.smallSymbols;
    twin.arrowSymbols = real.arrowSymbols;
    twin.anvilPicture = real.anvilPicture;
    twin.candlePicture = real.candlePicture;
    twin.flattenedPicture = real.flattenedPicture;
    twin.sequenceLength = real.sequenceLength;

    Recorded recorded;
    auto& readings = services.readings;
    const auto deliver = [&window](EventGate::Handler handler) {
        window.gate().deliver(EventGate::Kind::Input, std::move(handler));
    };
    for (int match = 0; match < matches; ++match) {
        const std::size_t countdownFrom = readings.size();
        deliver([&] { twin.Command1_Click(); });
        countdownDeadlines(readings, countdownFrom, readings.size(), recorded.deadlines);

        while (twin.leftProgress < twin.sequenceLength) {
            deliver([&] { twin.Picture1_KeyUp(leftPlayerCode(leftDirection(twin)), 0); });
        }
        const std::size_t finaleFrom = readings.size();
        const double keyAt = services.QtServices::clockSeconds();  // not a reading of the game's
        deliver([&] { twin.Picture1_KeyUp(leftPlayerCode(leftDirection(twin)), 0); });
        require(twin.gameOver, "the twin's winning key did not end its match");
        recorded.finales.push_back(
            finaleDeadlines(readings, finaleFrom, readings.size(), keyAt, recorded.deadlines));
    }
    for (int i = 0; i < shortWaits; ++i) {
        const std::int64_t span = 50 + (i * 37) % 251;  // spread over 5 to 30 ms
        const std::size_t from = readings.size();
        deliver([&] { Form1Probe::wait(twin, span); });
        const std::size_t end = endOfWait(readings, from, readings.size(), span, false);
        require(end == readings.size() - 1, "a short wait went on reading after its end");
        recorded.deadlines.push_back(
            {QStringLiteral("short wait"), latenessOf(readings, from, end, span)});
    }
    for (std::size_t i = 1; i < readings.size(); ++i) {
        if (readings[i].afterPause) {
            recorded.gaps.push_back(readings[i].seconds - readings[i - 1].seconds);
        }
    }
    return recorded;
}

QJsonObject pauseCosts(MainWindow& window) {
    QtServices services([&window]() -> QWidget* { return &window; }, [] {});
    // Each pause as in the middle of a long wait, with a second still to go.
    return {{"pause", shareWhile([&] { services.pauseBriefly(1.0); })},
            {"idle", shareWhile([] { Loop().run(2000); })}};
}

// The scheduler's own lateness, the floor of any wait's: how far past its
// end each of a few hundred plain 2 ms sleeps wakes.
QJsonArray sleepOvershoots() {
    QJsonArray overshoots;
    for (int i = 0; i < 300; ++i) {
        const Clock::time_point before = Clock::now();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        overshoots.append(secondsBetween(before, Clock::now()) - 0.002);
    }
    return overshoots;
}

}  // namespace klobbet::bench
