#include <algorithm>

#include <gtest/gtest.h>

#include "support/fake_window.h"
#include "support/form1_probe.h"
#include "support/pixels.h"

namespace klobbet::testing {
namespace {

struct Worked {
    int length;
    int progress;
    int towerTop;
    int lowerJoint;
    int upperJoint;
};

constexpr Worked kWorked[] = {{20, 1, 347, 356, 352}, {20, 20, 233, 318, 276},
                              {10, 1, 341, 354, 348}, {10, 10, 233, 318, 276},
                              {40, 1, 350, 357, 354}, {40, 40, 233, 318, 276}};

void drawGauge(FakeWindow& window, int player, int length, int progress, double colour) {
    window.form.sequenceLength = static_cast<std::int16_t>(length);
    (player == 1 ? window.form.leftProgress : window.form.rightProgress) =
        static_cast<std::int16_t>(progress);
    Form1Probe::drawCandleGauge(window.form, static_cast<std::int16_t>(player), colour);
}

TEST(CandleGauge, LatticeMeetsAtTheWorkedRowsWithTheCandleOnTop) {
    for (const Worked& w : kWorked) {
        SCOPED_TRACE(::testing::Message() << "n=" << w.length << " p=" << w.progress);
        FakeWindow window;
        drawGauge(window, 1, w.length, w.progress, kBlack);
        const QImage& field = window.Picture1.image();
        for (const auto& [x, y] : {std::pair{223, 360},
                                   {263, w.lowerJoint},
                                   {223, w.lowerJoint},
                                   {263, w.upperJoint},
                                   {223, w.upperJoint},
                                   {263, w.towerTop},
                                   {223, w.towerTop},
                                   {243, w.towerTop},
                                   {263, 360}}) {
            EXPECT_TRUE(isBlack(field, x, y)) << x << "," << y;
        }
        EXPECT_TRUE(shows(field, {236, w.towerTop - 32}, *window.form.candlePicture));
        // Nothing outside the tower and its candle.
        const int drawn = nonWhiteIn(field, field.rect());
        const int inside = nonWhiteIn(field, QRect(QPoint(223, w.towerTop - 32), QPoint(263, 360)));
        EXPECT_EQ(drawn, inside);
        EXPECT_EQ(
            nonWhiteIn(field, QRect(QPoint(223, w.towerTop - 32), QPoint(235, w.towerTop - 1))), 0);
    }
}

TEST(CandleGauge, CandleOfTheFirstStepOfAMediumMatchSitsOnTheTower) {
    FakeWindow window;
    drawGauge(window, 1, 20, 1, kBlack);
    const QImage& field = window.Picture1.image();
    EXPECT_TRUE(shows(field, {236, 315}, *window.form.candlePicture));
    EXPECT_EQ(window.form.candlePicture->size(), QSize(249 - 236 + 1, 346 - 315 + 1));
}

TEST(CandleGauge, RightGaugeIsTheLeftOneShifted227Pixels) {
    for (const Worked& w : kWorked) {
        FakeWindow left;
        FakeWindow right;
        drawGauge(left, 1, w.length, w.progress, kBlack);
        drawGauge(right, 2, w.length, w.progress, kBlack);
        const QImage& a = left.Picture1.image();
        const QImage& b = right.Picture1.image();
        EXPECT_EQ(a.copy(0, 0, 655 - 227, 423), b.copy(227, 0, 655 - 227, 423)) << w.length;
        EXPECT_EQ(nonWhiteIn(b, QRect(0, 0, 227, 423)), 0);
    }
}

TEST(CandleGauge, DrawEraseDrawHigherLeavesOnlyTheNewGauge) {
    for (int length : {10, 20, 40}) {
        for (int player : {1, 2}) {
            for (int progress = 1; progress < length; ++progress) {
                FakeWindow window;
                drawGauge(window, player, length, progress, kBlack);
                drawGauge(window, player, length, progress, kWhite);
                drawGauge(window, player, length, progress + 1, kBlack);
                FakeWindow expected;
                drawGauge(expected, player, length, progress + 1, kBlack);
                ASSERT_EQ(window.Picture1.image(), expected.Picture1.image())
                    << "n=" << length << " p=" << progress << " player " << player;
            }
        }
    }
}

TEST(CandleGauge, OnlyExactWhiteErasesTheCandle) {
    FakeWindow window;
    drawGauge(window, 2, 20, 5, 16777214.0);
    const QImage& field = window.Picture1.image();
    const int towerTop = 353 - 120 * 5 / 20;
    EXPECT_TRUE(shows(field, {463, towerTop - 32}, *window.form.candlePicture));
    EXPECT_EQ(field.pixel(450, 360), toQRgb(16777214));

    drawGauge(window, 2, 20, 5, 16777215.0);
    EXPECT_EQ(nonWhiteIn(field, field.rect()), 0);
}

TEST(CandleGauge, StaysInsideItsPosePictureAtEveryProgress) {
    for (int length : {10, 20, 40}) {
        for (int progress = 1; progress <= length; ++progress) {
            for (int player : {1, 2}) {
                FakeWindow window;
                drawGauge(window, player, length, progress, kBlack);
                const QRect pose =
                    player == 1 ? QRect(100, 200, 178, 204) : QRect(400, 200, 214, 204);
                const QImage& field = window.Picture1.image();
                ASSERT_EQ(nonWhiteIn(field, field.rect()), nonWhiteIn(field, pose));
            }
        }
    }
}

// The tower is drawn over the pose after every repaint; it must grow beside
// the plunger, never through the red of its rod and bar, in any pose, at any
// step of a match of any length.
TEST(CandleGauge, GrowsBesideThePlungerOfEveryPose) {
    FakeWindow window;
    const Form1& form = window.form;
    for (int player : {1, 2}) {
        const auto& poses = player == 1 ? form.leftPoses : form.rightPoses;
        const QPoint corner = player == 1 ? QPoint(100, 200) : QPoint(400, 200);
        for (int slot = 0; slot < 4; ++slot) {
            const QImage& pose = *poses[static_cast<std::size_t>(slot)];
            std::vector<QPoint> red;
            for (int y = 0; y < 160; ++y) {
                for (int x = 0; x < pose.width(); ++x) {
                    const QRgb p = pose.pixel(x, y);
                    if (qRed(p) > 150 && qGreen(p) < 80 && qBlue(p) < 80) {
                        red.push_back(corner + QPoint(x, y));
                    }
                }
            }
            ASSERT_GT(red.size(), 50u) << "a rod and a bar in pose " << slot;
            for (int length : {10, 20, 40}) {
                for (int progress = 1; progress <= length; ++progress) {
                    window.Picture1.PaintPicture(poses[static_cast<std::size_t>(slot)], corner.x(),
                                                 corner.y());
                    drawGauge(window, player, length, progress, kBlack);
                    const QImage& field = window.Picture1.image();
                    const auto covered = std::count_if(red.begin(), red.end(), [&](QPoint p) {
                        return field.pixel(p) != pose.pixel(p - corner);
                    });
                    ASSERT_EQ(covered, 0) << "player " << player << " slot " << slot
                                          << " n=" << length << " p=" << progress;
                }
            }
        }
    }
}

TEST(CandleGauge, AProgressPastTheLengthStaysAtTheTop) {
    // A stun from a long match ends after the menu chose a short one.
    FakeWindow window;
    drawGauge(window, 2, 10, 37, kBlack);
    FakeWindow top;
    drawGauge(top, 2, 10, 10, kBlack);
    EXPECT_EQ(window.Picture1.image(), top.Picture1.image());
    EXPECT_EQ(window.Picture1.clippedOperations(), 0);
}

TEST(CandleGauge, OtherPlayerNumbersDrawNothing) {
    for (int player : {0, 3, -1, 32767}) {
        FakeWindow window;
        window.form.leftProgress = window.form.rightProgress = 1;
        Form1Probe::drawCandleGauge(window.form, static_cast<std::int16_t>(player), kBlack);
        EXPECT_EQ(nonWhiteIn(window.Picture1.image(), window.Picture1.image().rect()), 0);
    }
}

}  // namespace
}  // namespace klobbet::testing
