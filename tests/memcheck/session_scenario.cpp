// A whole session in the real window, scripted for memcheck: start-up,
// three matches with settings changes between them, then "Quitter", "Oui".

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "support/modal_answerer.h"
#include "window/qt/main_window.h"

namespace {

using klobbet::MainWindow;

QAction* item(MainWindow& window, int group, int player, int index) {
    QMenu* menu = window.gameMenu()->actions()[group]->menu();
    if (group == 1) {
        menu = menu->actions()[player]->menu();
    }
    return menu->actions()[index];
}

// Types one player's whole sequence, one wrong key on the way.
void playToTheEnd(MainWindow& window, bool left) {
    static const Qt::Key kLeft[] = {Qt::Key_Q, Qt::Key_Z, Qt::Key_D, Qt::Key_S};
    static const Qt::Key kRight[] = {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down};
    klobbet::Form1& form = window.form();
    QTest::keyClick(window.field(), left ? Qt::Key_W : Qt::Key_F5);  // keys the game ignores
    while (!form.gameOver) {
        if (left ? form.leftStunned : form.rightStunned) {
            QTest::qWait(20);  // the stun ends on its timer
            continue;
        }
        const int progress = left ? form.leftProgress : form.rightProgress;
        const int direction = form.sequence.at(static_cast<std::size_t>(progress - 1));
        QTest::keyClick(window.field(), (left ? kLeft : kRight)[direction]);
    }
}

void scenario(MainWindow& window) {
    klobbet::Form1& form = window.form();

    QTest::mouseClick(window.playButton(), Qt::LeftButton);
    QTest::keyClick(window.field(), Qt::Key_Z);  // perhaps wrong: a stun
    playToTheEnd(window, true);

    item(window, 0, 0, 0)->trigger();  // court
    item(window, 1, 0, 0)->trigger();  // left: facile
    item(window, 1, 1, 2)->trigger();  // right: diabolique
    QTest::mouseClick(window.playButton(), Qt::LeftButton);
    playToTheEnd(window, false);

    item(window, 0, 0, 2)->trigger();  // long
    item(window, 1, 1, 1)->trigger();  // right: difficile
    QTest::mouseClick(window.playButton(), Qt::LeftButton);
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(window.field(), Qt::Key_Up);
        QTest::keyClick(window.field(), Qt::Key_S);
    }
    QTest::keyClick(window.field(), Qt::Key_Escape);
    std::printf("three matches played, length now %d\n", form.sequenceLength);

    klobbet::testing::answerBoxes({"Oui", "OK"});
    window.gameMenu()->actions()[2]->trigger();  // Quitter
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    MainWindow window;
    klobbet::testing::answerBoxes({"OK"});
    window.load();
    window.showCentred();
    QTimer::singleShot(0, &window, [&window] { scenario(window); });
    const int status = QApplication::exec();
    std::printf("session ended with %d\n", status);
    return status;
}
