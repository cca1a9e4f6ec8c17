#include <gtest/gtest.h>

#include "support/fake_window.h"
#include "support/pixels.h"

namespace klobbet::testing {
namespace {

// The part of a pose picture that no gauge and no line ever covers.
bool showsPose(const FakeWindow& window, int player, int slot) {
    const Form1& form = window.form;
    if (player == 1) {
        return shows(window.Picture1.image(), {100, 200}, *form.leftPoses[slot],
                     QRect(0, 1, 122, 203));
    }
    return shows(window.Picture1.image(), {400, 200}, *form.rightPoses[slot],
                 QRect(92, 1, 122, 203));
}

int towerTop(int length, int progress) {
    return 353 - 120 * progress / length;
}

bool showsCandle(const FakeWindow& window, int player, int length, int progress) {
    return shows(window.Picture1.image(),
                 {player == 1 ? 236 : 463, towerTop(length, progress) - 32},
                 *window.form.candlePicture);
}

std::vector<int> cycle(int length) {
    std::vector<int> directions;
    for (int i = 0; i < length; ++i) {
        directions.push_back((i * 3 + i / 4) % 4);
    }
    return directions;
}

TEST(KeyHandling, CorrectKeysAdvancePumpRaiseTheCandleAndShowTheNextSymbol) {
    FakeWindow window;
    window.startMatch(2, cycle(20));
    const Form1& form = window.form;
    for (int keys = 1; keys <= 5; ++keys) {
        window.typeCorrect(1);
        EXPECT_EQ(form.leftProgress, keys + 1);
        EXPECT_TRUE(showsPose(window, 1, (keys + 1) % 2)) << keys;
        EXPECT_TRUE(showsCandle(window, 1, 20, keys + 1));
        // The candle of the step before is gone.
        EXPECT_FALSE(showsCandle(window, 1, 20, keys));
        EXPECT_TRUE(shows(window.Picture3.image(), {0, 0},
                          *form.bigSymbols[form.sequence[keys] + form.symbolShift]));
    }
    EXPECT_EQ(form.rightProgress, 1);
    EXPECT_TRUE(showsPose(window, 2, 0));
}

TEST(KeyHandling, EachPlayerHasItsOwnKeysWhoeverPressesThem) {
    FakeWindow window;
    window.startMatch(1,
                      std::vector<int>{0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3});
    for (std::int16_t key : {81, 90, 68, 83}) {  // Q Z D S
        window.form.Picture1_KeyUp(key, 0);
    }
    for (std::int16_t key : {37, 38, 39, 40}) {  // the arrows
        window.form.Picture1_KeyUp(key, 0);
    }
    EXPECT_EQ(window.form.leftProgress, 5);
    EXPECT_EQ(window.form.rightProgress, 5);
    EXPECT_FALSE(window.form.leftStunned || window.form.rightStunned);
}

TEST(KeyHandling, ModifiersChangeNothing) {
    FakeWindow window;
    window.startMatch(1, std::vector<int>(20, 0));
    window.form.Picture1_KeyUp(81, 1);  // Shift+Q
    window.form.Picture1_KeyUp(81, 2);  // Ctrl+Q
    window.form.Picture1_KeyUp(37, 4);  // Alt+Left
    EXPECT_EQ(window.form.leftProgress, 3);
    EXPECT_EQ(window.form.rightProgress, 2);
}

TEST(KeyHandling, KeysTheGameDoesNotKnowChangeNothing) {
    FakeWindow window;
    window.startMatch(1, cycle(20));
    const QImage field = window.Picture1.image();
    const QImage box = window.Picture3.image();
    for (int code : {87, 65, 13, 32, 0, 36, 41, 80, 82, 69, 255, -1, 1000, 32767, -32768}) {
        window.form.Picture1_KeyUp(static_cast<std::int16_t>(code), 0);
    }
    for (int digit = 48; digit <= 57; ++digit) {
        window.form.Picture1_KeyUp(static_cast<std::int16_t>(digit), 1);
    }
    EXPECT_EQ(window.form.leftProgress, 1);
    EXPECT_EQ(window.form.rightProgress, 1);
    EXPECT_FALSE(window.form.leftStunned || window.form.rightStunned || window.form.gameOver);
    EXPECT_EQ(window.Picture1.image(), field);
    EXPECT_EQ(window.Picture3.image(), box);
}

TEST(KeyHandling, EscEndsTheMatchAtOnceAndFreezesThePicture) {
    FakeWindow window;
    window.startMatch(1, cycle(20));
    window.typeCorrect(2);
    window.typeWrong(1);
    const QImage field = window.Picture1.image();
    window.form.Picture1_KeyUp(27, 0);
    const Form1& form = window.form;
    EXPECT_TRUE(form.gameOver);
    EXPECT_TRUE(window.Command1.isEnabled());
    EXPECT_TRUE(window.mnupartie.isEnabled());
    EXPECT_EQ(window.Picture1.image(), field);
    EXPECT_EQ(form.rightProgress, 2);
    EXPECT_TRUE(form.leftStunned);
    EXPECT_TRUE(window.Timer1.isEnabled());
    EXPECT_EQ(window.Label3.fontSize(), 72);  // only the finale changes it

    // Later keys other than Esc do nothing.
    window.typeCorrect(2);
    EXPECT_EQ(form.rightProgress, 2);
    EXPECT_EQ(window.Picture1.image(), field);
}

TEST(KeyHandling, EscWithoutAMatchChangesNothing) {
    FakeWindow window;
    window.form.Picture1_KeyUp(27, 0);
    window.form.Picture1_KeyUp(81, 0);
    window.form.Picture1_KeyUp(37, 0);
    EXPECT_TRUE(window.form.gameOver);
    EXPECT_TRUE(window.Command1.isEnabled());
    EXPECT_TRUE(window.mnupartie.isEnabled());
    EXPECT_EQ(nonWhiteIn(window.Picture1.image(), window.Picture1.image().rect()), 0);
    EXPECT_EQ(window.form.leftProgress, 0);
}

TEST(Stun, AWrongKeyShowsTheConfusedFormOfThePoseByParity) {
    for (int correctFirst = 0; correctFirst <= 3; ++correctFirst) {
        FakeWindow window;
        window.startMatch(1, cycle(20));
        for (int i = 0; i < correctFirst; ++i) {
            window.typeCorrect(2);
        }
        const QImage box = window.Picture4.image();
        window.typeWrong(2);
        const Form1& form = window.form;
        EXPECT_TRUE(form.rightStunned);
        EXPECT_EQ(form.rightProgress, correctFirst + 1);
        // The first key wrong shows the standing and confused pose.
        EXPECT_TRUE(showsPose(window, 2, (correctFirst + 1) % 2 + 2)) << correctFirst;
        EXPECT_TRUE(showsCandle(window, 2, 20, correctFirst + 1));
        EXPECT_TRUE(window.Timer2.isEnabled());
        EXPECT_EQ(window.Picture4.image(), box);
    }
}

TEST(Stun, AStunnedPlayersKeysAreIgnoredAndDoNotLengthenIt) {
    FakeWindow window;
    window.startMatch(1, cycle(20));
    window.typeWrong(1);
    const double stunnedAt = window.Timer1.enabledAt;
    const QImage field = window.Picture1.image();
    window.services.now += 0.5;
    window.typeCorrect(1);
    window.typeWrong(1);
    EXPECT_EQ(window.form.leftProgress, 1);
    EXPECT_EQ(window.Timer1.enables, 1);
    EXPECT_EQ(window.Timer1.enabledAt, stunnedAt);
    EXPECT_EQ(window.Picture1.image(), field);

    // The other player types on meanwhile.
    window.typeCorrect(2);
    window.typeCorrect(2);
    EXPECT_EQ(window.form.rightProgress, 3);
    EXPECT_FALSE(window.form.rightStunned);
}

TEST(Stun, TheTimerRestoresThePoseAndGaugeAndStopsItself) {
    FakeWindow window;
    window.startMatch(1, cycle(20));
    window.typeWrong(1);  // at progress 1: comes back standing
    window.tick(1);
    EXPECT_FALSE(window.form.leftStunned);
    EXPECT_FALSE(window.Timer1.isEnabled());
    EXPECT_TRUE(showsPose(window, 1, 1));
    EXPECT_TRUE(showsCandle(window, 1, 20, 1));

    window.typeCorrect(1);
    window.typeWrong(1);  // at progress 2: comes back pushing
    EXPECT_TRUE(showsPose(window, 1, 2));
    window.tick(1);
    EXPECT_TRUE(showsPose(window, 1, 0));
    EXPECT_TRUE(showsCandle(window, 1, 20, 2));
    window.typeCorrect(1);
    EXPECT_EQ(window.form.leftProgress, 3);
}

TEST(Stun, SurvivesEscAndANewMatchUntilItsTimerFires) {
    FakeWindow window;
    window.startMatch(1, cycle(20));
    window.typeCorrect(2);
    window.typeWrong(2);
    window.form.Picture1_KeyUp(27, 0);
    window.startMatch(3, cycle(20));
    EXPECT_TRUE(window.form.rightStunned);
    EXPECT_TRUE(window.Timer2.isEnabled());
    window.typeCorrect(2);
    EXPECT_EQ(window.form.rightProgress, 1);

    // Progress is back at 1: the player comes back standing.
    window.tick(2);
    EXPECT_TRUE(showsPose(window, 2, 1));
    window.typeCorrect(2);
    EXPECT_EQ(window.form.rightProgress, 2);
}

TEST(Stun, EndingAfterTheMenuShortenedTheMatchesDrawsInsideThePose) {
    FakeWindow window;
    window.form.mnulong_Click();
    window.startMatch(1, cycle(40));
    for (int i = 0; i < 30; ++i) {
        window.typeCorrect(2);
    }
    window.typeWrong(2);
    window.form.Picture1_KeyUp(27, 0);
    window.form.mnulent_Click();
    window.tick(2);
    EXPECT_EQ(window.Picture1.clippedOperations(), 0);
    // The tower stands at its highest, below the wire.
    EXPECT_TRUE(showsCandle(window, 2, 10, 10));
    EXPECT_EQ(nonWhiteIn(window.Picture1.image(), QRect(463, 100, 15, 91)), 0);
}

TEST(Stun, EndsTheSameWayAfterTheMatchIsOver) {
    FakeWindow window;
    window.startMatch(1, cycle(20));
    window.typeWrong(1);
    window.form.Picture1_KeyUp(27, 0);
    window.tick(1);
    EXPECT_FALSE(window.form.leftStunned);
    EXPECT_TRUE(showsPose(window, 1, 1));
    EXPECT_TRUE(window.form.gameOver);
}

}  // namespace
}  // namespace klobbet::testing
