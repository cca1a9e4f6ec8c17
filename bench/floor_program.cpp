// The toolkit's floor for the start-up and memory figures: the least a Qt
// Widgets program can do that looks like the game's start, one message box
// and then one empty window. It takes the same titles and text as the game,
// and the game's window size (--size WxH), so the two are timed and weighed
// the same way.

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QWidget>

int main(int argc, char* argv[]) {
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication application(argc, argv);

    QSize size(720, 593);
    const QStringList arguments = QApplication::arguments();
    const auto option = arguments.indexOf(QStringLiteral("--size"));
    if (option >= 0 && option + 1 < arguments.size()) {
        const QStringList parts = arguments.at(option + 1).split(QLatin1Char('x'));
        if (parts.size() == 2) {
            size = QSize(parts.at(0).toInt(), parts.at(1).toInt());
        }
    }

    QMessageBox::information(
        nullptr, QStringLiteral("Klobbet :"),
        QStringLiteral("Le joueur de droite a les flèches, celui de gauche Q, S, D et Z"));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Klobbet"));
    window.setFixedSize(size);
    window.show();
    return QApplication::exec();
}
