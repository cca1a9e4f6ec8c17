// The toolkit's floor for a key reaching the screen: a window of the game's
// size whose one widget, where the game has its field (657 x 425 pixels),
// shows an image that every key release changes and repaints, with the same
// smooth transforms off as the game's field. Nothing else runs.

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace {

class Field : public QWidget {
  public:
    explicit Field(QWidget* parent) : QWidget(parent), image_(655, 423, QImage::Format_RGB32) {
        setGeometry(32, 16, 657, 425);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
        image_.fill(Qt::white);
    }

  protected:
    void keyReleaseEvent(QKeyEvent* event) override {
        if (event->isAutoRepeat()) {
            return;
        }
        // A new picture each time, as a key changes the game's scene.
        image_.invertPixels();
        update();
    }

    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, width() - 1, height() - 1);
        painter.drawImage(QPoint(1, 1), image_);
    }

  private:
    QImage image_;
};

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Klobbet floor"));
    window.setFixedSize(720, 593);
    window.move(0, 0);
    auto* field = new Field(&window);
    window.show();
    field->setFocus();
    return QApplication::exec();
}
