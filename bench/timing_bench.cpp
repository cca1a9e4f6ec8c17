// Times the game's timed moments on the real window, the real clock and a
// real event loop, and prints them as one JSON object.
//
// Three kinds of checks:
// - As a player sees them, on the game's own window: when the countdown's
//   digits are painted, how long a wrong key keeps a player stunned (key to
//   the timer's handler), and how long the winning key holds the window
//   while the anvil falls (key to handler's return).
// - As the game counts them: a second Form1 drives the same widgets through
//   a recording QtServices, so every clock reading of every wait is known and
//   each wait's end can be set against its own deadline. The recording only
//   appends to a reserved vector; the clock and the pause are the real ones.
// - What waiting alone costs the machine: the game's pause, and an idle
//   event loop, each for two seconds.
//
// Run it on a real display (the bench gives it a private Xvfb): the pause's
// event processing and every repaint then go to a real X server.

#include <sys/resource.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include "support/modal_answerer.h"
#include "window/qt/main_window.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

void require(bool condition, const std::string& what) {
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

// The moment each caption of a label was painted.
class CaptionLog : public QObject {
  public:
    explicit CaptionLog(QLabel* label) : label_(label) { label->installEventFilter(this); }
    // When `caption` was first painted; throws if it never was.
    Clock::time_point firstPainted(const QString& caption) const {
        for (const auto& [text, at] : paints_) {
            if (text == caption) {
                return at;
            }
        }
        throw std::runtime_error("the countdown never showed " + caption.toStdString());
    }

  protected:
    // The label paints itself here so the moment kept is when the digit is
    // drawn, glyphs and all, not when drawing began.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != label_ || event->type() != QEvent::Paint) {
            return false;
        }
        static_cast<QObject*>(label_)->event(event);
        paints_.emplace_back(label_->text(), Clock::now());
        return true;
    }

  private:
    QLabel* label_;
    std::vector<std::pair<QString, Clock::time_point>> paints_;
};

struct Reading {
    double seconds;
    bool afterPause;  // a pause came between this reading and the one before
};

// The real clock and pause, with every reading kept.
template <typename Base>
class Recording : public Base {
  public:
    using Base::Base;
    double clockSeconds() override {
        const double seconds = Base::clockSeconds();
        readings.push_back({seconds, paused_});
        paused_ = false;
        return seconds;
    }
    std::vector<Reading> readings;

  protected:
    bool paused_ = false;
};

// The pause is either told how long its wait has left or not; the recording
// follows the game's own.
template <typename Services>
concept PauseTakesTimeLeft = requires(Services& services) { services.pauseBriefly(1.0); };

template <typename Base, bool = PauseTakesTimeLeft<Base>>
class RecordingServicesOf : public Recording<Base> {
  public:
    using Recording<Base>::Recording;
    void pauseBriefly() override {
        Base::pauseBriefly();
        this->paused_ = true;
    }
};

template <typename Base>
class RecordingServicesOf<Base, true> : public Recording<Base> {
  public:
    using Recording<Base>::Recording;
    void pauseBriefly(double left) override {
        Base::pauseBriefly(left);
        this->paused_ = true;
    }
};

using RecordingServices = RecordingServicesOf<klobbet::QtServices>;

// One pause in the middle of a long wait.
void pauseOnce(auto& services) {
    if constexpr (PauseTakesTimeLeft<std::remove_reference_t<decltype(services)>>) {
        services.pauseBriefly(1.0);
    } else {
        services.pauseBriefly();
    }
}

Qt::Key leftPlayerKey(int direction) {
    static constexpr Qt::Key kKeys[4] = {Qt::Key_Q, Qt::Key_Z, Qt::Key_D, Qt::Key_S};
    return kKeys[direction];
}

std::int16_t leftPlayerCode(int direction) {
    static constexpr std::int16_t kCodes[4] = {81, 90, 68, 83};
    return kCodes[direction];
}

int leftDirection(const klobbet::Form1& form) {
    return form.sequence.at(static_cast<std::size_t>(form.leftProgress - 1));
}

// --- What the player sees, on the game's own window. ---

QJsonObject countdownAsSeen(klobbet::MainWindow& window) {
    auto* label = dynamic_cast<klobbet::QtLabel&>(window.form().Label3).widget();
    CaptionLog log(label);
    window.playButton()->click();  // returns when the countdown is over
    const Clock::time_point over = Clock::now();
    const Clock::time_point three = log.firstPainted(QStringLiteral("3"));
    require(!window.form().gameOver, "the match did not start");
    return {{"digit2", secondsBetween(three, log.firstPainted(QStringLiteral("2")))},
            {"digit1", secondsBetween(three, log.firstPainted(QStringLiteral("1")))},
            {"end", secondsBetween(three, over)}};
}

QJsonArray stunsAsSeen(klobbet::MainWindow& window, int count) {
    klobbet::Form1& form = window.form();
    std::vector<QTimer*> timers;
    for (QTimer* timer : window.findChildren<QTimer*>()) {
        if (timer->interval() == 2000) {
            timers.push_back(timer);
        }
    }
    require(timers.size() == 2, "expected the window's two stun timers");

    QJsonArray stuns;
    for (int i = 0; i < count; ++i) {
        Loop loop;
        Clock::time_point ended{};
        bool liftedInTime = false;
        QObject owner;
        // Connected after the game's own slot, so this runs once the
        // handler has lifted the stun.
        for (QTimer* timer : timers) {
            QObject::connect(timer, &QTimer::timeout, &owner, [&] {
                ended = Clock::now();
                liftedInTime = !form.leftStunned;
                loop.quit();
            });
        }
        const Clock::time_point pressed = Clock::now();
        QTest::keyClick(window.field(), leftPlayerKey((leftDirection(form) + 1) % 4));
        require(form.leftStunned, "a wrong key did not stun the left player");
        require(loop.run(5000), "the stun never ended");
        require(liftedInTime, "the stun timer ticked without lifting the stun");
        stuns.append(secondsBetween(pressed, ended));
    }
    return stuns;
}

double finaleAsSeen(klobbet::MainWindow& window) {
    klobbet::Form1& form = window.form();
    while (form.leftProgress < form.sequenceLength) {
        QTest::keyClick(window.field(), leftPlayerKey(leftDirection(form)));
    }
    const Clock::time_point pressed = Clock::now();
    QTest::keyClick(window.field(), leftPlayerKey(leftDirection(form)));
    const Clock::time_point returned = Clock::now();
    require(form.gameOver && form.Command1.isEnabled(), "the winning key did not end the match");
    return secondsBetween(pressed, returned);
}

// --- What the game counts, through the recording services. ---

std::int64_t ticks(double seconds) {
    return std::llround(seconds * 10000.0);
}

struct Deadline {
    QString what;
    double lateness;  // seconds past start + span when the wait saw it
};

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

// Where a finale's 6.4 s go besides its waits: the winning key up to the
// first step's clock reading, and the drawing between the end of one step's
// wait and the next step's first reading, which piles up when each step
// counts from a fresh reading.
struct FinaleCount {
    double total = 0;            // the winning key to the last wait's end
    double beforeFirstStep = 0;  // the winning key to the first step's start
    double drawing = 0;          // steps 2 to 8, added up
    bool freshStarts = false;    // each step read the clock afresh
};

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

struct Recorded {
    std::vector<Deadline> deadlines;
    std::vector<FinaleCount> finales;
    std::vector<double> gaps;  // between two readings with a pause between them
};

Recorded waitsAsCounted(klobbet::MainWindow& window, int matches) {
    klobbet::Form1& real = window.form();
    RecordingServices services([&window]() -> QWidget* { return &window; }, [] {});
    services.readings.reserve(1 << 20);
    klobbet::Form1 twin(
        klobbet::Form1Controls{real.Picture1, real.Picture2, real.Picture3, real.Picture4,
                               real.Label3, real.Command1, real.mnupartie, real.mnulent,
                               real.mnumoyen, real.mnulong, real.mnufacile, real.mnudifficile,
                               real.mnudiabo1, real.mnufacile2, real.mnudifficile2, real.mnudiabo2,
                               real.Timer1, real.Timer2},
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
    const auto deliver = [&window](klobbet::EventGate::Handler handler) {
        window.gate().deliver(klobbet::EventGate::Kind::Input, std::move(handler));
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
    for (std::size_t i = 1; i < readings.size(); ++i) {
        if (readings[i].afterPause) {
            recorded.gaps.push_back(readings[i].seconds - readings[i - 1].seconds);
        }
    }
    return recorded;
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

QJsonObject pauseCosts(klobbet::MainWindow& window) {
    klobbet::QtServices services([&window]() -> QWidget* { return &window; }, [] {});
    return {{"pause", shareWhile([&] { pauseOnce(services); })},
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

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication application(argc, argv);
    int matches = 2;
    int stuns = 3;
    const QStringList arguments = QApplication::arguments();
    for (int i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--matches")) {
            matches = arguments[i + 1].toInt();
        } else if (arguments[i] == QStringLiteral("--stuns")) {
            stuns = arguments[i + 1].toInt();
        }
    }

    try {
        klobbet::MainWindow window;
        klobbet::testing::answerNextBox(QStringLiteral("OK"));
        window.load();
        window.showCentred();
        require(QTest::qWaitForWindowExposed(&window), "the window was never shown");

        QJsonObject result;
        result["platform"] = QGuiApplication::platformName();
        result["countdown"] = countdownAsSeen(window);
        result["stuns"] = stunsAsSeen(window, stuns);
        result["finale"] = finaleAsSeen(window);

        const Recorded recorded = waitsAsCounted(window, matches);
        QJsonArray deadlines;
        for (const Deadline& deadline : recorded.deadlines) {
            deadlines.append(QJsonObject{{"what", deadline.what}, {"lateness", deadline.lateness}});
        }
        result["deadlines"] = deadlines;
        QJsonArray finales;
        for (const FinaleCount& finale : recorded.finales) {
            finales.append(QJsonObject{{"total", finale.total},
                                       {"before_first_step", finale.beforeFirstStep},
                                       {"drawing", finale.drawing},
                                       {"fresh_starts", finale.freshStarts}});
        }
        result["finales_counted"] = finales;
        QJsonArray gaps;
        for (double gap : recorded.gaps) {
            gaps.append(gap);
        }
        result["gaps"] = gaps;
        result["pause_costs"] = pauseCosts(window);
        result["sleep_overshoots"] = sleepOvershoots();
        std::fputs(QJsonDocument(result).toJson(QJsonDocument::Compact).constData(), stdout);
        std::fputs("\n", stdout);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "timing bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
