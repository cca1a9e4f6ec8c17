#include <gtest/gtest.h>

#include "support/fake_window.h"

namespace klobbet::testing {
namespace {

const QString kQuestion =
    QStringLiteral("Tu veux vraiment aller faire quelque chose de plus nul que ce jeu ?");
const QString kQuestionTitle = QStringLiteral("Sale Battard !");

struct Flow {
    bool viaMenu;
    int answer;
    QString reply;
    int replyStyle;
    QString replyTitle;
    bool leaves;
};

// Runs one way out with a scripted answer; returns the boxes shown after
// start-up's, and the cancel flag a close request left.
std::vector<ShownBox> run(FakeWindow& window, bool viaMenu, int answer, int& cancel) {
    window.services.boxes.clear();
    window.services.answers = {answer};
    cancel = 0;
    if (viaMenu) {
        window.form.mnuquit_Click();
    } else {
        window.form.Form_QueryUnload(cancel, 0);
    }
    return window.services.boxes;
}

TEST(Quit, BothWaysAskTheSameQuestionAndAnswerByTheirOwnTexts) {
    const Flow flows[] = {
        {true, msgbox::kYes, QStringLiteral("C'est ca, 0 la prochaine...!"), 48,
         QStringLiteral("Au revoir !"), true},
        {false, msgbox::kYes, QStringLiteral("C'est ca, dégage !"), 48,
         QStringLiteral("Pauvre con"), true},
        {true, msgbox::kNo, QStringLiteral("C'est bien fiston"), 0,
         QStringLiteral("T'as d'la chance"), false},
        {false, msgbox::kNo, QStringLiteral("C'est bien fiston"), 0,
         QStringLiteral("T'as d'la chance"), false},
    };
    for (const Flow& flow : flows) {
        SCOPED_TRACE(::testing::Message()
                     << (flow.viaMenu ? "menu" : "close") << " " << flow.answer);
        FakeWindow window;
        int cancel = 0;
        const auto boxes = run(window, flow.viaMenu, flow.answer, cancel);
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].prompt, kQuestion);
        EXPECT_EQ(boxes[0].title, kQuestionTitle);
        EXPECT_EQ(boxes[0].style, 260);
        EXPECT_EQ(boxes[1].prompt, flow.reply);
        EXPECT_EQ(boxes[1].style, flow.replyStyle);
        EXPECT_EQ(boxes[1].title, flow.replyTitle);
        EXPECT_EQ(window.services.ends, flow.leaves ? 1 : 0);
        if (!flow.viaMenu) {
            EXPECT_EQ(cancel != 0, !flow.leaves);
        }
    }
}

TEST(Quit, OnlyYesLeaves) {
    for (int answer : {0, 1, 2, 3, 5, 7, -1, 99}) {
        FakeWindow window;
        int cancel = 0;
        const auto boxes = run(window, false, answer, cancel);
        EXPECT_EQ(window.services.ends, 0) << answer;
        EXPECT_NE(cancel, 0);
        EXPECT_EQ(boxes.back().prompt, QStringLiteral("C'est bien fiston"));
    }
}

TEST(Quit, StayingChangesNothingEvenDuringAMatch) {
    FakeWindow window;
    window.form.mnulong_Click();
    window.form.mnudiabo1_Click();
    window.startMatch(2, std::vector<int>(40, 1));
    window.typeCorrect(1);
    window.typeWrong(2);
    const Form1& form = window.form;
    const QImage field = window.Picture1.image();
    const auto sequence = form.sequence;
    int cancel = 0;
    run(window, false, msgbox::kNo, cancel);
    EXPECT_EQ(window.Picture1.image(), field);
    EXPECT_EQ(form.sequence, sequence);
    EXPECT_EQ(form.leftProgress, 2);
    EXPECT_TRUE(form.rightStunned);
    EXPECT_FALSE(form.gameOver);
    EXPECT_FALSE(window.Command1.isEnabled());
    EXPECT_TRUE(window.mnulong.isChecked());
    EXPECT_TRUE(window.mnudiabo1.isChecked());
    // The match goes on from where it was.
    window.typeCorrect(1);
    EXPECT_EQ(form.leftProgress, 3);
}

}  // namespace
}  // namespace klobbet::testing
