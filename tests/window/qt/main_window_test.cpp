#include "window/qt/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <cstdlib>

#include "support/modal_answerer.h"

namespace klobbet {
namespace {

QWidget* childAt(MainWindow& window, const QRect& geometry) {
    for (QWidget* child :
         window.centralArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->geometry() == geometry) {
            return child;
        }
    }
    return nullptr;
}

struct LoadedWindow : ::testing::Test {
    MainWindow window;
    bool visibleDuringMessage = true;
    QString message;

    void SetUp() override {
        testing::answerNextBox("OK", [this](QMessageBox& box) {
            visibleDuringMessage = window.isVisible();
            message = box.text();
        });
        window.load();
        window.showCentred();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

TEST_F(LoadedWindow, StartUpMessageComesBeforeTheWindow) {
    EXPECT_FALSE(visibleDuringMessage);
    EXPECT_EQ(message,
              QStringLiteral("Le joueur de droite a les flèches, celui de gauche Q, S, D et Z"));
    EXPECT_TRUE(window.form().gameOver);
    EXPECT_EQ(window.windowTitle(), "Klobbet");
    // Drawings of its own for title bars and switchers, not the 32 shrunk.
    const QList<QSize> sizes = window.windowIcon().availableSizes();
    for (const int size : {16, 24, 32}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    }
}

TEST_F(LoadedWindow, ControlsStandAtTheirPixelRectangles) {
    EXPECT_EQ(window.centralArea()->size(), QSize(720, 593));
    EXPECT_EQ(window.size().width(), 720);
    EXPECT_EQ(window.minimumSize(), window.maximumSize());  // cannot be resized
    EXPECT_EQ(window.playButton()->geometry(), QRect(288, 528, 113, 57));
    EXPECT_EQ(window.playButton()->text(), "Jouer");
    EXPECT_EQ(window.field()->geometry(), QRect(32, 16, 657, 425));
    EXPECT_EQ(window.form().Picture1.image().size(), QSize(655, 423));

    QWidget* legend = childAt(window, QRect(280, 448, 121, 73));
    QWidget* left = childAt(window, QRect(96, 448, 113, 105));
    QWidget* right = childAt(window, QRect(512, 448, 113, 105));
    ASSERT_TRUE(legend && left && right);
    EXPECT_TRUE(legend->isHidden());
    EXPECT_FALSE(left->isEnabled());
    EXPECT_FALSE(right->isEnabled());
    EXPECT_EQ(window.form().Picture3.image().size(), QSize(111, 103));

    auto* label = qobject_cast<QLabel*>(childAt(window, QRect(296, 440, 113, 89)));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->text().isEmpty());
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->font().pixelSize(), 96);  // 72 points on a 96-dpi screen
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);

    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
}

QStringList captions(const QMenu* menu) {
    QStringList result;
    for (const QAction* action : menu->actions()) {
        result << action->text() + (action->isChecked() ? "*" : "");
    }
    return result;
}

TEST_F(LoadedWindow, MenuTreeHasItsCaptionsAndCheckMarks) {
    QMenu* game = window.gameMenu();
    EXPECT_EQ(game->title(), "&Partie");
    EXPECT_EQ(captions(game), (QStringList{"jeu", "difficulté", "Quitter"}));
    const auto actions = game->actions();
    EXPECT_EQ(captions(actions[0]->menu()), (QStringList{"court", "moyen*", "long"}));
    QMenu* levels = actions[1]->menu();
    EXPECT_EQ(captions(levels), (QStringList{"Joueur de gauche", "Joueur de droite"}));
    for (const QAction* player : levels->actions()) {
        EXPECT_EQ(captions(player->menu()), (QStringList{"facile", "difficile*", "diabolique"}));
    }
    for (const QAction* item : game->findChildren<QAction*>()) {
        EXPECT_TRUE(item->shortcut().isEmpty());
    }
}

TEST_F(LoadedWindow, OnlyCheckedMenuItemsShowAMark) {
    QMenu* length = window.gameMenu()->actions()[0]->menu();
    const auto items = length->actions();  // court, moyen (checked), long
    length->adjustSize();
    const QImage asShown = length->grab().toImage();
    for (QAction* item : items) {
        item->setCheckable(false);
    }
    length->adjustSize();
    const QImage plain = length->grab().toImage();
    for (QAction* item : items) {
        item->setCheckable(true);
    }
    items[1]->setChecked(true);
    ASSERT_EQ(asShown.size(), plain.size());
    for (QAction* item : items) {
        const QRect row = length->actionGeometry(item);
        EXPECT_EQ(asShown.copy(row) == plain.copy(row), !item->isChecked())
            << item->text().toStdString();
    }
}

TEST_F(LoadedWindow, EveryCountdownDigitIsWhollyVisibleAndCentred) {
    auto* label = qobject_cast<QLabel*>(childAt(window, QRect(296, 440, 113, 89)));
    ASSERT_NE(label, nullptr);
    // The field's border covers the label's first row, "Jouer" its last.
    const QRect visible(0, 1, 113, 87);
    for (const int points : {72, 48}) {
        window.form().Label3.setFontSize(points);
        for (const char* digit : {"1", "2", "3"}) {
            window.form().Label3.setCaption(QString::fromLatin1(digit));
            const QImage shown = label->grab().toImage();
            QRect ink;
            for (int y = 0; y < shown.height(); ++y) {
                for (int x = 0; x < shown.width(); ++x) {
                    if (qGray(shown.pixel(x, y)) < 128) {
                        ink |= QRect(x, y, 1, 1);
                    }
                }
            }
            SCOPED_TRACE(::testing::Message() << digit << " at " << points << " points");
            ASSERT_FALSE(ink.isEmpty());
            EXPECT_TRUE(visible.contains(ink)) << ink.top() << ".." << ink.bottom();
            EXPECT_LE(std::abs(ink.left() + ink.right() - (visible.width() - 1)), 2);
        }
    }
}

TEST_F(LoadedWindow, DuringAMatchTheWholeMenuBarIsOff) {
    window.form().mnupartie.setEnabled(false);
    EXPECT_FALSE(window.gameMenu()->menuAction()->isEnabled());
    EXPECT_FALSE(window.findChild<QMenuBar*>()->isEnabled());
    window.form().mnupartie.setEnabled(true);
    EXPECT_TRUE(window.findChild<QMenuBar*>()->isEnabled());
}

TEST_F(LoadedWindow, MenuClicksGoToTheirHandlers) {
    QMenu* levels = window.gameMenu()->actions()[1]->menu();
    QAction* rightDiabolical = levels->actions()[1]->menu()->actions()[2];
    rightDiabolical->trigger();
    EXPECT_TRUE(window.form().rightDiabolical);
    EXPECT_TRUE(rightDiabolical->isChecked());
    EXPECT_FALSE(levels->actions()[1]->menu()->actions()[1]->isChecked());
    QAction* court = window.gameMenu()->actions()[0]->menu()->actions()[0];
    court->trigger();
    court->trigger();  // a second click leaves its check mark on
    EXPECT_TRUE(court->isChecked());
    EXPECT_EQ(window.form().sequenceLength, 10);
}

// Escape as Qt delivers it when the compositor has not told that Alt was
// let go: Alt in its modifiers, and no Alt key event of its own.
void escapeWithStaleAlt(QWidget* menu) {
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent key(type, Qt::Key_Escape, Qt::AltModifier, QStringLiteral("\x1b"));
        QCoreApplication::sendEvent(menu, &key);
    }
}

TEST_F(LoadedWindow, EscapeClosesAMenuOpenedWithAltEvenIfAltSeemsHeld) {
    QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), window.gameMenu());
    QTest::keyClick(window.gameMenu(), Qt::Key_Right);  // "jeu", first from the keyboard
    QMenu* length = window.gameMenu()->actions()[0]->menu();
    ASSERT_EQ(QApplication::activePopupWidget(), length);
    escapeWithStaleAlt(length);
    EXPECT_EQ(QApplication::activePopupWidget(), window.gameMenu());
    escapeWithStaleAlt(window.gameMenu());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(LoadedWindow, FocusStartsOnJouerAndPassesToTheFieldWhenItIsDisabled) {
    EXPECT_TRUE(window.playButton()->hasFocus());
    window.form().Command1.setEnabled(false);
    EXPECT_TRUE(window.field()->hasFocus());
    // The symbol boxes never take it, even when clicked.
    QWidget* left = childAt(window, QRect(96, 448, 113, 105));
    QTest::mouseClick(left, Qt::LeftButton);
    EXPECT_TRUE(window.field()->hasFocus());
    window.form().Command1.setEnabled(true);
    EXPECT_TRUE(window.field()->hasFocus());
}

TEST_F(LoadedWindow, KeyReleasesOnTheFieldReachTheGame) {
    Form1& form = window.form();
    form.gameOver = false;
    form.sequence.assign(20, 0);
    form.leftProgress = form.rightProgress = 1;
    form.symbolShift = 1;
    window.field()->setFocus();
    QTest::keyClick(window.field(), Qt::Key_Q);
    QTest::keyClick(window.field(), Qt::Key_Q, Qt::ShiftModifier);
    QTest::keyClick(window.field(), Qt::Key_Left);
    EXPECT_EQ(form.leftProgress, 3);
    EXPECT_EQ(form.rightProgress, 2);
    QTest::keyClick(window.field(), Qt::Key_Escape);
    EXPECT_TRUE(form.gameOver);
}

TEST_F(LoadedWindow, ACloseRequestAsksAndNoKeepsTheWindow) {
    QStringList seen;
    testing::answerBoxes({"Non", "OK"},
                         [&](QMessageBox& box) { seen << box.windowTitle() + ": " + box.text(); });
    window.close();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Sale Battard !: Tu veux vraiment aller faire "
                                                "quelque chose de plus nul que ce jeu ?"),
                                 QStringLiteral("T'as d'la chance: C'est bien fiston")}));
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.gate().isClosed());
}

TEST_F(LoadedWindow, YesEndsTheProgramAndNothingRunsAfter) {
    QStringList seen;
    testing::answerBoxes({"Oui", "OK"}, [&](QMessageBox& box) { seen << box.text(); });
    window.close();
    EXPECT_EQ(
        seen,
        (QStringList{
            QStringLiteral("Tu veux vraiment aller faire quelque chose de plus nul que ce jeu ?"),
            QStringLiteral("C'est ca, dégage !")}));
    EXPECT_TRUE(window.gate().isClosed());
    EXPECT_FALSE(window.isVisible());
    // A second close request asks nothing.
    window.close();
    EXPECT_EQ(seen.size(), 2);
}

}  // namespace
}  // namespace klobbet
