#include <gtest/gtest.h>

#include <random>

#include "support/fake_window.h"

namespace klobbet::testing {
namespace {

using Click = void (Form1::*)();
using Item = FakeMenuItem FakeWindow::*;

struct Group {
    Click clicks[3];
    Item items[3];
};

const Group kLength{{&Form1::mnulent_Click, &Form1::mnumoyen_Click, &Form1::mnulong_Click},
                    {&FakeWindow::mnulent, &FakeWindow::mnumoyen, &FakeWindow::mnulong}};
const Group kLeft{{&Form1::mnufacile_Click, &Form1::mnudifficile_Click, &Form1::mnudiabo1_Click},
                  {&FakeWindow::mnufacile, &FakeWindow::mnudifficile, &FakeWindow::mnudiabo1}};
const Group kRight{{&Form1::mnufacile2_Click, &Form1::mnudifficile2_Click, &Form1::mnudiabo2_Click},
                   {&FakeWindow::mnufacile2, &FakeWindow::mnudifficile2, &FakeWindow::mnudiabo2}};

int checkedItem(FakeWindow& window, const Group& group) {
    int checked = -1;
    for (int i = 0; i < 3; ++i) {
        if ((window.*group.items[i]).isChecked()) {
            EXPECT_EQ(checked, -1) << "two check marks in one group";
            checked = i;
        }
    }
    return checked;
}

// What each group's variables say, as the index of the item that sets them.
int lengthChoice(const Form1& form) {
    return form.sequenceLength == 10 ? 0 : form.sequenceLength == 20 ? 1 : 2;
}
int levelChoice(bool easy, bool diabolical) {
    EXPECT_FALSE(easy && diabolical);
    return easy ? 0 : diabolical ? 2 : 1;
}

TEST(Settings, StartWithMediumLengthAndBothPlayersDifficult) {
    FakeWindow window;
    EXPECT_EQ(checkedItem(window, kLength), 1);
    EXPECT_EQ(checkedItem(window, kLeft), 1);
    EXPECT_EQ(checkedItem(window, kRight), 1);
}

TEST(Settings, AnyClickSequenceLeavesOneCheckMarkPerGroupMatchingTheVariables) {
    FakeWindow window;
    std::mt19937 random(12345);
    const Group* groups[] = {&kLength, &kLeft, &kRight};
    int expected[3] = {1, 1, 1};
    for (int click = 0; click < 2000; ++click) {
        const int group = static_cast<int>(random() % 3);
        const int item = static_cast<int>(random() % 3);
        (window.form.*(groups[group]->clicks[item]))();
        expected[group] = item;
        ASSERT_EQ(checkedItem(window, kLength), expected[0]);
        ASSERT_EQ(checkedItem(window, kLeft), expected[1]);
        ASSERT_EQ(checkedItem(window, kRight), expected[2]);
        ASSERT_EQ(lengthChoice(window.form), expected[0]);
        ASSERT_EQ(levelChoice(window.form.leftEasy, window.form.leftDiabolical), expected[1]);
        ASSERT_EQ(levelChoice(window.form.rightEasy, window.form.rightDiabolical), expected[2]);
    }
}

TEST(Settings, LongThenShortGivesATenDirectionMatch) {
    FakeWindow window;
    window.form.mnulong_Click();
    window.form.mnulent_Click();
    window.form.Command1_Click();
    EXPECT_EQ(window.form.sequence.size(), 10u);
    EXPECT_EQ(checkedItem(window, kLength), 0);
}

TEST(Settings, DiabolicalThenDifficultClearsBothFlags) {
    FakeWindow window;
    window.form.mnudiabo2_Click();
    window.form.mnufacile_Click();
    window.form.mnudifficile2_Click();
    EXPECT_FALSE(window.form.rightEasy);
    EXPECT_FALSE(window.form.rightDiabolical);
    EXPECT_TRUE(window.form.leftEasy);
}

}  // namespace
}  // namespace klobbet::testing
