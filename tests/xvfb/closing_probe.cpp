// One of the game's yes-or-no boxes, answered "Oui" the moment it has drawn
// a new frame, before any compositor can have shown it: the moment when
// Qt Wayland 6.4.2 can race its frame thread. Prints the answer.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "window/platform.h"
#include "window/qt/message_box.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        answer.stop();
        box->repaint();
        box->buttons().first()->click();
    });
    // Well after the box's first frames, and those of its placement.
    answer.start(1000);
    const int reply =
        klobbet::showMessageBox(nullptr, QStringLiteral("Tu veux vraiment ?"),
                                klobbet::msgbox::kYesNo, QStringLiteral("Sale Battard !"));
    std::printf("answer %d\n", reply);
    return reply == klobbet::msgbox::kYes ? 0 : 1;
}
