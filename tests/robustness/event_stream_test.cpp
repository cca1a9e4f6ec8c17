// Thousands of matches driven by random streams of everything the game
// reacts to, checking after every event what must always hold. A failure
// names its seed and event index, so it can be replayed.

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>

#include "support/fake_window.h"
#include "support/pixels.h"

namespace klobbet::testing {
namespace {

constexpr int kEventsPerSeed = 130000;
constexpr double kTimerInterval = 2.0;

using Click = void (Form1::*)();
constexpr Click kMenuItems[] = {
    &Form1::mnulent_Click,    &Form1::mnumoyen_Click,      &Form1::mnulong_Click,
    &Form1::mnufacile_Click,  &Form1::mnudifficile_Click,  &Form1::mnudiabo1_Click,
    &Form1::mnufacile2_Click, &Form1::mnudifficile2_Click, &Form1::mnudiabo2_Click,
    &Form1::mnuquit_Click,
};

class EventStream {
  public:
    explicit EventStream(std::uint64_t seed) : seed_(seed), random_(seed) { restart(); }

    // Runs the stream; returns an empty string or the first broken rule.
    std::string run(int events) {
        for (index_ = 0; index_ < events && failure_.empty(); ++index_) {
            try {
                step();
                deliverDueTicks();
                checkInvariants();
            } catch (const std::exception& error) {
                fail(std::string("exception: ") + error.what());
            }
        }
        return failure_;
    }

    int matches() const { return matches_; }
    int finales() const { return finales_; }

  private:
    FakeWindow& w() { return *window_; }
    Form1& form() { return window_->form; }

    void restart() {
        window_ = std::make_unique<FakeWindow>();
        // Each wait reading advances the clock by a little less or more than
        // a millisecond, so deadlines fall between readings.
        window_->services.pauseStep =
            std::uniform_real_distribution<double>(0.0003, 0.004)(random_);
    }

    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    void step() {
        const int kind = pick(100);
        const bool wasRunning = !form().gameOver;
        if (kind < 35) {
            if (!form().gameOver) {
                w().typeCorrect(1 + pick(2));
            }
        } else if (kind < 36) {
            form().Picture1_KeyUp(27, static_cast<std::int16_t>(pick(8)));  // Esc, at any moment
        } else if (kind < 55) {
            static constexpr std::int16_t kPlayerKeys[] = {37, 38, 39, 40, 81, 90, 68, 83};
            form().Picture1_KeyUp(kPlayerKeys[pick(8)], static_cast<std::int16_t>(pick(8)));
        } else if (kind < 65) {
            form().Picture1_KeyUp(static_cast<std::int16_t>(pick(256)),
                                  static_cast<std::int16_t>(pick(8)));
        } else if (kind < 66) {
            form().Picture1_KeyUp(static_cast<std::int16_t>(pick(65536) - 32768), 0);
        } else if (kind < 74) {
            if (w().Command1.isEnabled()) {
                form().Command1_Click();
                ++matches_;
                if (!form().leftDiabolical && !form().rightDiabolical) {
                    expect(w().Picture2.isVisible(), "legend hidden although nobody is diabolical");
                } else {
                    expect(!w().Picture2.isVisible(), "legend shown to a diabolical player");
                }
            }
        } else if (kind < 84) {
            if (w().mnupartie.isEnabled()) {
                const Click item = kMenuItems[pick(10)];
                if (item == &Form1::mnuquit_Click) {
                    answerQuit([&] { form().mnuquit_Click(); });
                    return;
                }
                (form().*item)();
            }
        } else if (kind < 88) {
            answerQuit([&] {
                int cancel = 0;
                form().Form_QueryUnload(cancel, 0);
                expect((cancel != 0) == (w().services.ends == 0),
                       "the close flag disagrees with the answer");
            });
            return;
        } else {
            // The clock jumps: a pause between keys, or a long one.
            w().services.now += pick(50) == 0 ? 86400.0 : pick(3000) / 1000.0;
        }
        if (wasRunning && form().gameOver && w().Command1.isEnabled() && kind < 55 &&
            finaleJustPlayed()) {
            ++finales_;
        }
    }

    // After a finale the loser lies flattened where he stood.
    bool finaleJustPlayed() {
        if (w().Label3.fontSize() != 48 || form().sequence.empty()) {
            return false;
        }
        const bool leftWon = form().leftProgress == form().sequenceLength + 1;
        const bool rightWon = form().rightProgress == form().sequenceLength + 1;
        if (!leftWon && !rightWon) {
            return false;  // ended by Esc
        }
        const QPoint at = leftWon ? QPoint(520, 342) : QPoint(100, 342);
        expect(shows(w().Picture1.image(), at, *form().flattenedPicture),
               "no flattened loser after the finale");
        return true;
    }

    template <typename Ask>
    void answerQuit(Ask ask) {
        const bool leave = pick(20) == 0;
        w().services.answers = {leave ? msgbox::kYes : msgbox::kNo + pick(2) * 10, msgbox::kOk};
        const std::size_t boxesBefore = w().services.boxes.size();
        const QImage field = w().Picture1.image();
        ask();
        expect(w().services.boxes.size() == boxesBefore + 2,
               "the quit flow showed other than two boxes");
        if (leave) {
            expect(w().services.ends == 1, "Yes did not end the program");
            restart();
        } else {
            expect(w().services.ends == 0, "No ended the program");
            expect(w().Picture1.image() == field, "answering No changed the field");
        }
    }

    void deliverDueTicks() {
        for (;;) {
            FakeTimer* due = nullptr;
            for (FakeTimer* timer : {&w().Timer1, &w().Timer2}) {
                if (timer->isEnabled() && timer->enabledAt + kTimerInterval <= w().services.now &&
                    (due == nullptr || timer->enabledAt < due->enabledAt)) {
                    due = timer;
                }
            }
            if (due == nullptr) {
                return;
            }
            if (due == &w().Timer1) {
                form().Timer1_Timer();
            } else {
                form().Timer2_Timer();
            }
        }
    }

    void checkInvariants() {
        const Form1& f = window_->form;
        if (!f.gameOver) {
            expect(f.sequence.size() == static_cast<std::size_t>(f.sequenceLength),
                   "sequence length");
            expect(f.leftProgress >= 1 && f.leftProgress <= f.sequenceLength,
                   "left progress out of range");
            expect(f.rightProgress >= 1 && f.rightProgress <= f.sequenceLength,
                   "right progress out of range");
            expect(f.symbolShift >= 1 && f.symbolShift <= 5, "symbol shift out of range");
            expect(!w().Label3.isVisible(), "the countdown label outlived the countdown");
        }
        expect(f.leftStunned == w().Timer1.isEnabled(), "left stun and Timer1 disagree");
        expect(f.rightStunned == w().Timer2.isEnabled(), "right stun and Timer2 disagree");
        expect(f.gameOver == w().Command1.isEnabled(),
               "Jouer enabled during a match or disabled after");
        expect(f.gameOver == w().mnupartie.isEnabled(),
               "menu enabled during a match or disabled after");
        expect(f.sequenceLength == 10 || f.sequenceLength == 20 || f.sequenceLength == 40,
               "length");
        expect(!(f.leftEasy && f.leftDiabolical) && !(f.rightEasy && f.rightDiabolical), "level");
        expect(checkedOnly(w().mnulent, w().mnumoyen, w().mnulong, f.sequenceLength == 10,
                           f.sequenceLength == 20),
               "length check marks");
        expect(checkedOnly(w().mnufacile, w().mnudifficile, w().mnudiabo1, f.leftEasy,
                           !f.leftEasy && !f.leftDiabolical),
               "left level check marks");
        expect(checkedOnly(w().mnufacile2, w().mnudifficile2, w().mnudiabo2, f.rightEasy,
                           !f.rightEasy && !f.rightDiabolical),
               "right level check marks");
        for (const FakeSurface* surface :
             {&w().Picture1, &w().Picture2, &w().Picture3, &w().Picture4}) {
            expect(surface->clippedOperations() == 0, "something was drawn past a surface's edge");
        }
    }

    static bool checkedOnly(const MenuItem& first, const MenuItem& second, const MenuItem& third,
                            bool firstOn, bool secondOn) {
        const bool thirdOn = !firstOn && !secondOn;
        return first.isChecked() == firstOn && second.isChecked() == secondOn &&
               third.isChecked() == thirdOn;
    }

    void expect(bool holds, const char* rule) {
        if (!holds) {
            fail(rule);
        }
    }

    void fail(const std::string& rule) {
        if (failure_.empty()) {
            std::ostringstream message;
            message << "seed " << seed_ << ", event " << index_ << ": " << rule;
            failure_ = message.str();
        }
    }

    std::uint64_t seed_;
    std::mt19937_64 random_;
    std::unique_ptr<FakeWindow> window_;
    std::string failure_;
    int index_ = 0;
    int matches_ = 0;
    int finales_ = 0;
};

class RandomEvents : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(RandomEvents, KeepEveryRuleOfTheGame) {
    EventStream stream(GetParam());
    const std::string failure = stream.run(kEventsPerSeed);
    EXPECT_EQ(failure, "");
    // The stream must really play: many matches, many of them to the end.
    EXPECT_GT(stream.matches(), 1000);
    EXPECT_GT(stream.finales(), 200);
    std::printf("seed %llu: %d matches, %d finales\n", static_cast<unsigned long long>(GetParam()),
                stream.matches(), stream.finales());
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomEvents, ::testing::Values(1, 2, 3, 4, 5, 6, 7, 8));

}  // namespace
}  // namespace klobbet::testing
