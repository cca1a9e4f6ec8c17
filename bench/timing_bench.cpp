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
#include <vector>

#include "support/modal_answerer.h"
#include "window/qt/main_window.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "support/modal_answerer.h"
#include "timing_support.h"
#include "waits_counted.h"
#include "window/qt/main_window.h"

namespace {

using namespace klobbet::bench;

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

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication application(argc, argv);
    int matches = 2;
    int stuns = 3;
    int shortWaits = 400;
    const QStringList arguments = QApplication::arguments();
    for (int i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--matches")) {
            matches = arguments[i + 1].toInt();
        } else if (arguments[i] == QStringLiteral("--stuns")) {
            stuns = arguments[i + 1].toInt();
        } else if (arguments[i] == QStringLiteral("--short-waits")) {
            shortWaits = arguments[i + 1].toInt();
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

        const Recorded recorded = waitsAsCounted(window, matches, shortWaits);
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
