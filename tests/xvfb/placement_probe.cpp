// A window of the start-up box's size, centred, shown, and centred again once
// Qt itself knows its frame: the order in which kwin's late frame can reach
// the game. Prints "placed again" when done, then stays until killed.

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QWidget>
#include <cstdio>

#include "window/qt/window_placement.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Klobbet :"));
    window.setFixedSize(441, 84);
    const QRect area = window.screen()->availableGeometry();
    klobbet::centreOver(window, area);
    window.show();
    QElapsedTimer clock;
    clock.start();
    while (window.frameGeometry() == window.geometry() && clock.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    if (window.frameGeometry() == window.geometry()) {
        std::puts("no frame");
        return 1;
    }
    klobbet::centreOver(window, area);
    std::puts("placed again");
    std::fflush(stdout);
    return QApplication::exec();
}
