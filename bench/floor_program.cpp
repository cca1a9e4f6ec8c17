// The toolkit's floor for the start-up and memory figures: the least a Qt
// Widgets program can do that looks like the game's start, one message box
// and then one empty window. It takes the same titles and text as the game,
// and the game's window size (--size WxH), so the two are timed and weighed
// the same way.
//
// It is also the floor of the countdown's cost: a click on the window shows
// 3, 2 and 1 a second apart in a label of the game's countdown, each
// repainted at once as the game's are, with the event loop asleep between.

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace {

class Window : public QWidget {
  protected:
    void mouseReleaseEvent(QMouseEvent* /*event*/) override {
        if (digits_ == nullptr) {
            // Made at the first click, so the memory weighed before has no
            // part of it.
            digits_ = new QLabel(this);
            digits_->setGeometry(296, 440, 113, 89);
            QFont font(QStringLiteral("MS Sans Serif"), 72);
            font.setStyleHint(QFont::SansSerif);
            digits_->setFont(font);
            digits_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        }
        digits_->show();
        for (int second = 0; second <= 3; ++second) {
            QTimer::singleShot(second * 1000, Qt::PreciseTimer, this, [this, second] {
                if (second == 3) {
                    digits_->hide();
                    return;
                }
                digits_->setText(QString::number(3 - second));
                digits_->repaint();
            });
        }
    }

  private:
    QLabel* digits_ = nullptr;
};

}  // namespace

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

    Window window;
    window.setWindowTitle(QStringLiteral("Klobbet"));
    window.setFixedSize(size);
    window.show();
    return QApplication::exec();
}
