#include "window/qt/message_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QProxyStyle>
#include <QPushButton>
#include <memory>

#include "support/modal_answerer.h"

namespace klobbet {
namespace {

QStringList buttonTexts(const QMessageBox& box) {
    QStringList texts;
    for (QAbstractButton* button : box.buttons()) {
        texts << button->text();
    }
    return texts;
}

TEST(MessageBoxStyle, DecodesButtonsDefaultAndIcon) {
    const MessageBoxStyle question = decodeStyle(260);
    EXPECT_TRUE(question.yesNo);
    EXPECT_EQ(question.defaultButton, 1);
    EXPECT_EQ(question.icon, QMessageBox::NoIcon);

    const MessageBoxStyle parting = decodeStyle(48);
    EXPECT_FALSE(parting.yesNo);
    EXPECT_EQ(parting.defaultButton, 0);
    EXPECT_EQ(parting.icon, QMessageBox::Warning);

    EXPECT_EQ(decodeStyle(64).icon, QMessageBox::Information);
    EXPECT_EQ(decodeStyle(0).icon, QMessageBox::NoIcon);
    EXPECT_FALSE(decodeStyle(0).yesNo);
    EXPECT_EQ(decodeStyle(4 + 64).icon, QMessageBox::Information);
}

TEST(MessageBox, HasFrenchButtonsWithNoAsDefaultAndEscape) {
    std::unique_ptr<QMessageBox> box(buildMessageBox(nullptr, "prompt", 260, "title"));
    EXPECT_EQ(buttonTexts(*box), (QStringList{"Oui", "Non"}));
    EXPECT_EQ(box->defaultButton()->text(), "Non");
    EXPECT_EQ(box->escapeButton()->text(), "Non");
    EXPECT_EQ(box->windowTitle(), "title");
    EXPECT_EQ(box->text(), "prompt");

    std::unique_ptr<QMessageBox> ok(buildMessageBox(nullptr, "prompt", 64, "title"));
    EXPECT_EQ(buttonTexts(*ok), (QStringList{"OK"}));
    EXPECT_EQ(ok->icon(), QMessageBox::Information);
}

// A theme that lays dialog buttons out the GNOME way, No before Yes.
class GnomeButtonOrder : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        return hint == SH_DialogButtonLayout ? QDialogButtonBox::GnomeLayout
                                             : QProxyStyle::styleHint(hint, option, widget, data);
    }
};

TEST(MessageBox, ShowsOuiLeftOfNonUnderEveryTheme) {
    const QString previous = QApplication::style()->name();
    QApplication::setStyle(new GnomeButtonOrder(previous));
    std::unique_ptr<QMessageBox> box(buildMessageBox(nullptr, "prompt", 260, "title"));
    box->show();
    QCoreApplication::processEvents();
    const QList<QAbstractButton*> buttons = box->buttons();
    const int oui = buttons[0]->mapTo(box.get(), QPoint()).x();
    const int non = buttons[1]->mapTo(box.get(), QPoint()).x();
    box.reset();
    QApplication::setStyle(previous);
    EXPECT_LT(oui, non);
}

TEST(MessageBox, ReturnsTheClassicValueOfThePressedButton) {
    testing::answerNextBox("Oui");
    EXPECT_EQ(showMessageBox(nullptr, "?", 260, "t"), 6);
    testing::answerNextBox("Non");
    EXPECT_EQ(showMessageBox(nullptr, "?", 260, "t"), 7);
    testing::answerNextBox("OK");
    EXPECT_EQ(showMessageBox(nullptr, "!", 48, "t"), 1);
}

TEST(MessageBox, EscOrTheCloseBoxAnswersNo) {
    testing::answerNextBox({});
    EXPECT_EQ(showMessageBox(nullptr, "?", 260, "t"), 7);
    testing::answerNextBox("-", [](QMessageBox& box) { box.close(); });
    EXPECT_EQ(showMessageBox(nullptr, "?", 260, "t"), 7);
    testing::answerNextBox({});
    EXPECT_EQ(showMessageBox(nullptr, "!", 0, "t"), 1);
}

TEST(MessageBox, EnterChoosesTheDefaultButton) {
    testing::answerNextBox("-", [](QMessageBox& box) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(&box, &press);
    });
    EXPECT_EQ(showMessageBox(nullptr, "?", 260, "t"), 7);
}

}  // namespace
}  // namespace klobbet
