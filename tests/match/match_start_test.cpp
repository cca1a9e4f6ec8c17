#include <gtest/gtest.h>

#include <set>

#include "support/fake_window.h"
#include "support/pixels.h"

namespace klobbet::testing {
namespace {

TEST(MatchStart, DrawsASequenceOfTheChosenLengthFromAFreshSeed) {
    FakeWindow window;
    std::set<std::vector<std::int16_t>> sequences;
    const std::pair<int, void (Form1::*)()> lengths[] = {
        {10, &Form1::mnulent_Click}, {20, &Form1::mnumoyen_Click}, {40, &Form1::mnulong_Click}};
    for (int round = 0; round < 4; ++round) {
        for (const auto& [length, choose] : lengths) {
            (window.form.*choose)();
            window.services.dayTime += 1.37F;
            window.form.Command1_Click();
            const Form1& form = window.form;
            ASSERT_EQ(form.sequence.size(), static_cast<std::size_t>(length));
            for (std::int16_t direction : form.sequence) {
                ASSERT_GE(direction, 0);
                ASSERT_LE(direction, 3);
            }
            EXPECT_GE(form.symbolShift, 1);
            EXPECT_LE(form.symbolShift, 5);
            EXPECT_EQ(window.services.seeds.back(), window.services.dayTime);
            sequences.insert(form.sequence);
            window.form.Picture1_KeyUp(27, 0);
        }
    }
    EXPECT_EQ(window.services.seeds.size(), 12u);
    EXPECT_EQ(sequences.size(), 12u);  // every match plays a new sequence
}

TEST(MatchStart, ShiftTakesTheFirstNumberAndDirectionsTheFollowingOnes) {
    FakeWindow window;
    window.form.mnulent_Click();
    window.startMatch(4, {3, 0, 1, 2, 2, 1, 0, 3, 3, 1});
    EXPECT_EQ(window.form.symbolShift, 4);
    EXPECT_EQ(window.form.sequence, (std::vector<std::int16_t>{3, 0, 1, 2, 2, 1, 0, 3, 3, 1}));
    // The highest numbers stay in range too.
    window.services.scriptedRandoms = {0.999999, 0.999999};
    window.form.Picture1_KeyUp(27, 0);
    window.form.Command1_Click();
    EXPECT_EQ(window.form.symbolShift, 5);
    EXPECT_EQ(window.form.sequence[0], 3);
}

TEST(MatchStart, StartsTheMatchWithControlsLocked) {
    FakeWindow window;
    window.form.leftStunned = true;  // left over from an earlier match
    window.Timer1.setEnabled(true);
    window.form.Command1_Click();
    const Form1& form = window.form;
    EXPECT_FALSE(form.gameOver);
    EXPECT_EQ(form.leftProgress, 1);
    EXPECT_EQ(form.rightProgress, 1);
    EXPECT_FALSE(window.Command1.isEnabled());
    EXPECT_FALSE(window.mnupartie.isEnabled());
    EXPECT_FALSE(window.Label3.isVisible());
    EXPECT_TRUE(window.Picture2.isVisible());
    EXPECT_TRUE(form.leftStunned);
    EXPECT_TRUE(window.Timer1.isEnabled());
    EXPECT_FALSE(window.Timer2.isEnabled());
}

TEST(MatchStart, PaintsTheSceneOnAClearedField) {
    FakeWindow window;
    window.Picture1.LineFilledBox(0, 0, 654, 422, kBlack);
    window.startMatch(1, std::vector<int>(20, 0));
    const QImage& field = window.Picture1.image();
    const Form1& form = window.form;
    EXPECT_TRUE(isWhite(field, 5, 5));
    EXPECT_TRUE(isWhite(field, 650, 420));

    // Both characters pushing, both anvils hanging.
    EXPECT_TRUE(shows(field, {100, 200}, *form.leftPoses[0], QRect(0, 1, 122, 203)));
    EXPECT_TRUE(shows(field, {400, 200}, *form.rightPoses[0], QRect(0, 1, 50, 203)));
    EXPECT_TRUE(shows(field, {400, 200}, *form.rightPoses[0], QRect(91, 1, 123, 203)));
    EXPECT_TRUE(shows(field, {100, 100}, *form.anvilPicture, QRect(0, 1, 90, 35)));
    EXPECT_TRUE(shows(field, {520, 100}, *form.anvilPicture, QRect(0, 1, 90, 35)));

    // The four lines, drawn over the anvils and the characters.
    for (const auto& line : {std::array{145, 20, 145, 100}, std::array{145, 20, 470, 200},
                             std::array{240, 200, 563, 20}, std::array{563, 20, 563, 100}}) {
        for (const QPoint& point : linePoints(line[0], line[1], line[2], line[3])) {
            ASSERT_TRUE(isBlack(field, point.x(), point.y())) << point.x() << "," << point.y();
        }
    }
    EXPECT_TRUE(isWhite(field, 565, 60));

    // Both gauges at progress 1.
    EXPECT_TRUE(shows(field, {236, 315}, *form.candlePicture));
    EXPECT_TRUE(shows(field, {463, 315}, *form.candlePicture));
}

TEST(MatchStart, CountsDownThreeTwoOneOverThreeSecondsBeforeShowingSymbols) {
    FakeWindow window;
    const double start = window.services.now;
    window.Label3.onRefresh = [&] {
        EXPECT_EQ(nonWhiteIn(window.Picture3.image(), window.Picture3.image().rect()), 0);
        EXPECT_FALSE(window.Picture2.isVisible());
        EXPECT_TRUE(window.Label3.isVisible());
    };
    window.startMatch(2, std::vector<int>(20, 1));
    const auto& shown = window.Label3.shown;
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].caption, "3");
    EXPECT_NEAR(shown[0].at - start, 0.0, 1e-9);
    EXPECT_EQ(shown[1].caption, "2");
    EXPECT_NEAR(shown[1].at - start, 1.0, 0.0011);
    EXPECT_EQ(shown[2].caption, "1");
    EXPECT_NEAR(shown[2].at - start, 2.0, 0.0011);
    EXPECT_NEAR(window.services.now - start, 3.0, 0.0011);
    EXPECT_GE(window.services.now - start, 3.0 - 1e-6);
    // The wait sleeps between readings rather than spinning.
    EXPECT_NEAR(window.services.pauses, 3000, 2);
}

TEST(MatchStart, ShowsEachPlayerTheFirstSymbolByLevel) {
    FakeWindow window;
    window.form.mnufacile_Click();
    window.startMatch(3, std::vector<int>(20, 2));  // first direction: right
    const Form1& form = window.form;
    EXPECT_TRUE(shows(window.Picture3.image(), {0, 0}, *form.arrowSymbols[2]));
    EXPECT_TRUE(shows(window.Picture4.image(), {0, 0}, *form.bigSymbols[5]));
    EXPECT_TRUE(window.Picture2.isVisible());

    window.form.Picture1_KeyUp(27, 0);
    window.form.mnudifficile_Click();
    window.form.mnufacile2_Click();
    window.startMatch(3, std::vector<int>(20, 0));  // left: the up arrow stands for it
    EXPECT_TRUE(shows(window.Picture3.image(), {0, 0}, *form.bigSymbols[3]));
    EXPECT_TRUE(shows(window.Picture4.image(), {0, 0}, *form.arrowSymbols[0]));
}

TEST(MatchStart, DrawsTheLegendOfTheMatchMapping) {
    for (int shift = 1; shift <= 5; ++shift) {
        FakeWindow window;
        window.startMatch(shift, std::vector<int>(20, 0));
        const QImage& legend = window.Picture2.image();
        const Form1& form = window.form;
        EXPECT_GT(nonWhiteIn(legend, QRect(20, 0, 100, 10)), 0) << "title";
        for (int direction = 0; direction < 4; ++direction) {
            const int y = 10 + 13 * direction;
            const int rows = direction == 3 ? 16 : 13;
            EXPECT_TRUE(
                shows(legend, {0, y}, *form.smallSymbols[shift + direction], QRect(0, 0, 15, rows)))
                << shift << "/" << direction;
            EXPECT_GT(nonWhiteIn(legend, QRect(16, y, 100, 12)), 0) << "name " << direction;
        }
    }
}

TEST(MatchStart, HidesTheLegendWhileEitherPlayerIsDiabolical) {
    const std::pair<void (Form1::*)(), void (Form1::*)()> levels[] = {
        {&Form1::mnudiabo1_Click, &Form1::mnufacile2_Click},
        {&Form1::mnudifficile_Click, &Form1::mnudiabo2_Click},
        {&Form1::mnudiabo1_Click, &Form1::mnudiabo2_Click},
    };
    for (const auto& [left, right] : levels) {
        FakeWindow window;
        (window.form.*left)();
        (window.form.*right)();
        window.startMatch(1, std::vector<int>(20, 3));
        EXPECT_FALSE(window.Picture2.isVisible());
        // The legend is drawn all the same, and both symbol boxes too.
        EXPECT_GT(nonWhiteIn(window.Picture2.image(), window.Picture2.image().rect()), 0);
        EXPECT_GT(nonWhiteIn(window.Picture3.image(), window.Picture3.image().rect()), 0);
        EXPECT_GT(nonWhiteIn(window.Picture4.image(), window.Picture4.image().rect()), 0);
    }
}

}  // namespace
}  // namespace klobbet::testing
