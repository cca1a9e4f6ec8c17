#include "window/qt/last_frame.h"

#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace klobbet {

namespace {

// Qt takes a window as hidden once the compositor has left its frame
// unanswered for 100 ms; past that, no answer is on its way to race with.
constexpr int kCompositorSilentMs = 150;

// Qt delivers a window's update request only once its last frame callback
// is answered and dealt with: asked for, it marks the moment when hiding
// the window frees nothing the frame thread may be freeing too. The window
// is hidden right then, before anything else queued can draw in it and ask
// for a frame again.
class LastFrameFilter : public QObject {
  public:
    LastFrameFilter(QWidget& window, QEventLoop& wait) : window_(&window), wait_(wait) {}

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        switch (event->type()) {
            case QEvent::UpdateRequest:
                if (window_ != nullptr) {
                    window_->hide();
                }
                wait_.quit();
                return true;  // the window would draw on it
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
                return true;  // the window is closing: its answer is given
            default:
                return false;
        }
    }

  private:
    QPointer<QWidget> window_;
    QEventLoop& wait_;
};

}  // namespace

void hideAfterLastFrame(QWidget& window) {
    const QPointer<QWindow> handle = window.windowHandle();
    if (handle == nullptr || !window.isVisible() ||
        !QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        window.hide();
        return;
    }
    const QPointer<QWidget> guarded = &window;
    QEventLoop wait;
    LastFrameFilter filter(window, wait);
    handle->installEventFilter(&filter);
    QTimer::singleShot(kCompositorSilentMs, &wait, &QEventLoop::quit);
    handle->requestUpdate();
    wait.exec();
    if (handle != nullptr) {
        handle->removeEventFilter(&filter);
    }
    if (guarded != nullptr) {
        guarded->hide();  // a compositor that stays silent
    }
}

}  // namespace klobbet
