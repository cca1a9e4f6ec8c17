#include <gtest/gtest.h>

#include "support/fake_window.h"
#include "support/form1_probe.h"
#include "support/pixels.h"

namespace klobbet::testing {
namespace {

struct Loser {
    int winner;
    int anvilX;
    std::array<int, 4> lines[2];
};

constexpr Loser kRightLoses{1, 520, {{240, 200, 563, 20}, {563, 20, 563, 100}}};
constexpr Loser kLeftLoses{2, 100, {{145, 20, 145, 100}, {145, 20, 470, 200}}};

std::vector<int> directions(int length) {
    std::vector<int> result;
    for (int i = 0; i < length; ++i) {
        result.push_back((i * 7 + 1) % 4);
    }
    return result;
}

TEST(Finale, TheLastCorrectKeyDropsTheAnvilOnTheOtherPlayer) {
    for (int length : {10, 20, 40}) {
        for (const Loser& loser : {kRightLoses, kLeftLoses}) {
            SCOPED_TRACE(::testing::Message() << "n=" << length << " winner " << loser.winner);
            FakeWindow window;
            const int winner = loser.winner;
            const int other = 3 - winner;
            window.form.sequenceLength = static_cast<std::int16_t>(length);
            window.startMatch(2, directions(length));
            window.typeCorrect(other);
            for (int key = 1; key < length; ++key) {
                window.typeCorrect(winner);
            }
            const Form1& form = window.form;
            ASSERT_FALSE(form.gameOver);
            ASSERT_EQ(winner == 1 ? form.leftProgress : form.rightProgress, length);
            const QImage before = window.Picture1.image();

            const double start = window.services.now;
            window.typeCorrect(winner);
            EXPECT_NEAR(window.services.now - start, 6.4, 0.01);
            EXPECT_EQ(form.sequence.size(), static_cast<std::size_t>(length));
            EXPECT_EQ(winner == 1 ? form.leftProgress : form.rightProgress, length + 1);

            const QImage& field = window.Picture1.image();
            for (const auto& line : loser.lines) {
                for (const QPoint& p : linePoints(line[0], line[1], line[2], line[3])) {
                    ASSERT_TRUE(isWhite(field, p.x(), p.y())) << p.x() << "," << p.y();
                }
            }
            // The loser's place: white but for the flattened loser.
            const QRect place = winner == 1 ? QRect(QPoint(400, 180), QPoint(630, 404))
                                            : QRect(QPoint(100, 180), QPoint(280, 404));
            const QRect flattened(loser.anvilX, 342, 90, 62);
            EXPECT_TRUE(shows(field, flattened.topLeft(), *form.flattenedPicture));
            EXPECT_EQ(nonWhiteIn(field, place), nonWhiteIn(field, flattened));

            // The winner's anvil still hangs, the winner's pose stays, the
            // winner's gauge stays erased.
            const int winnerAnvil = winner == 1 ? 100 : 520;
            EXPECT_TRUE(shows(field, {winnerAnvil, 100}, *form.anvilPicture, QRect(0, 1, 90, 35)));
            const QRect winnerPose =
                winner == 1 ? QRect(100, 201, 122, 203) : QRect(492, 201, 122, 203);
            EXPECT_EQ(field.copy(winnerPose), before.copy(winnerPose));
            // At the last position the candle stood at rows 201..232; it is wiped.
            const QRect winnerCandle =
                winner == 1 ? QRect(236, 201, 14, 32) : QRect(463, 201, 15, 32);
            EXPECT_EQ(nonWhiteIn(field, winnerCandle), 0);
            EXPECT_GT(nonWhiteIn(before, winnerCandle), 0);

            EXPECT_TRUE(form.gameOver);
            EXPECT_TRUE(window.Command1.isEnabled());
            EXPECT_TRUE(window.mnupartie.isEnabled());
            EXPECT_EQ(window.Label3.fontSize(), 48);
            EXPECT_EQ(window.Label3.alignment(), 2);
            EXPECT_FALSE(window.Label3.isVisible());
            // What the players typed meanwhile is dropped, once, at the end.
            EXPECT_EQ(window.services.discards, 1);
        }
    }
}

TEST(Finale, EachAnvilStepLeavesNoTraceOfTheOneBefore) {
    for (const Loser& loser : {kRightLoses, kLeftLoses}) {
        FakeWindow window;
        window.startMatch(1, directions(20));
        std::vector<QImage> frames;
        std::vector<double> times;
        window.Picture1.onRefresh = [&] {
            frames.push_back(window.Picture1.image());
            times.push_back(window.services.now);
        };
        const double start = window.services.now;
        Form1Probe::playFinale(window.form, static_cast<std::int16_t>(loser.winner));
        ASSERT_EQ(frames.size(), 9u);
        for (int step = 0; step < 8; ++step) {
            const QImage& frame = frames[static_cast<std::size_t>(step)];
            const int top = 110 + 10 * step;
            EXPECT_TRUE(shows(frame, {loser.anvilX, top}, *window.form.anvilPicture)) << step;
            EXPECT_EQ(nonWhiteIn(frame, QRect(loser.anvilX, 100, 90, top - 100)), 0) << step;
            if (step > 0) {
                EXPECT_GT(times[static_cast<std::size_t>(step)] - times[step - 1u], 0.2);
                EXPECT_LT(times[static_cast<std::size_t>(step)] - times[step - 1u], 0.2021);
            }
        }
        // The flattened loser shows about 4.8 s, and the finale returns 5 s
        // after the last step's wait began.
        EXPECT_GT(window.services.now - times[7], 5.0);
        EXPECT_LT(window.services.now - times[7], 5.002);
        EXPECT_NEAR(window.services.now - times[8], 4.8, 0.01);
        EXPECT_NEAR(window.services.now - start, 6.4, 0.01);
    }
}

}  // namespace
}  // namespace klobbet::testing
