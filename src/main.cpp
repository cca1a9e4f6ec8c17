#include <QApplication>
#include <QMessageBox>

#include "window/bitmaps.h"
#include "window/qt/main_window.h"
#include "window/qt/whole_scale.h"

int main(int argc, char* argv[]) {
    // Whole scale factors only, so each bitmap pixel becomes a whole block,
    // and one at which the window fits the screen.
    klobbet::chooseWholeScale();
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication application(argc, argv);
    // Lets the desktop match the window to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.klobbet.Klobbet"));

    klobbet::MainWindow window;
    try {
        window.load();
    } catch (const klobbet::BitmapLoadError& error) {
        QMessageBox::critical(
            nullptr, QStringLiteral("Klobbet"),
            QStringLiteral("Impossible de charger l'image %1.").arg(error.number()));
        return 1;
    }
    window.showCentred();
    return QApplication::exec();
}
