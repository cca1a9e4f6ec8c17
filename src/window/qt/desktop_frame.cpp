#include "window/qt/desktop_frame.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace klobbet {

namespace {

bool sizeState(Qt::WindowStates states) {
    return (states & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0;
}

// On X11 the window manager has already changed the state when Qt reports
// it, and taking it back is one request. Qt's Wayland frame asks the
// compositor for the state itself, and the compositor's answer must then be
// obeyed to the pixel or the connection dies: so the size is freed for that
// answer, the state taken back once it has come, and the size fixed again
// when the compositor has confirmed the normal state.
class SizeKeeper : public QObject {
  public:
    SizeKeeper(QWidget& window, QWindow& handle)
        : QObject(&window),
          window_(window),
          handle_(handle),
          wayland_(QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        handle.installEventFilter(this);
        // Direct: Qt's Wayland frame asks for the state before it returns, and
        // the size must be free before the compositor's answer comes in.
        connect(
            &handle, &QWindow::windowStateChanged, this,
            [this](Qt::WindowState state) { onStateChanged(state); }, Qt::DirectConnection);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &handle_ && event->type() == QEvent::WindowStateChange && wayland_) {
            if (sizeState(handle_.windowStates())) {
                // Once the frame at the new size has gone out: the compositor
                // ignores a request to undo a state not yet shown.
                QTimer::singleShot(0, this, [this] {
                    if (sizeState(handle_.windowStates())) {
                        refused_ = true;
                        handle_.setWindowStates(Qt::WindowNoState);
                    }
                });
            } else if (handle_.windowStates() == Qt::WindowNoState) {
                if (freed_) {
                    fixSize();
                }
                if (refused_) {
                    // kwin 5.27 draws its frame again, and puts the window
                    // back where it was, only for a frame sent in the normal
                    // state; when one at the same size went out before the
                    // refusal, none would follow unasked.
                    refused_ = false;
                    window_.update();
                }
            }
        }
        return false;
    }

  private:
    void onStateChanged(Qt::WindowState state) {
        if (state == Qt::WindowMinimized && !wayland_) {
            // Some window managers offer minimising whatever the window
            // says; the window is out of the taskbar, so it would be lost:
            // it comes back at once, with the keyboard.
            QTimer::singleShot(0, this, [this] {
                handle_.setWindowStates(Qt::WindowNoState);
                window_.activateWindow();
            });
            return;
        }
        if (state != Qt::WindowMaximized && state != Qt::WindowFullScreen) {
            return;
        }
        if (!wayland_) {
            handle_.setWindowStates(Qt::WindowNoState);
        } else if (!freed_ && !handle_.frameMargins().isNull()) {
            // Only Qt's own frame must obey the compositor's size; a
            // compositor that draws the frame (kwin) takes the fixed size
            // as it is, and a size freed there leaves its frame drawn for
            // another width.
            freeSize();
        }
    }

    void freeSize() {
        freed_ = true;
        fixedSize_ = window_.size();
        if (QLayout* layout = window_.layout()) {
            constraint_ = layout->sizeConstraint();
            layout->setSizeConstraint(QLayout::SetNoConstraint);
        }
        window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }

    void fixSize() {
        freed_ = false;
        if (QLayout* layout = window_.layout()) {
            layout->setSizeConstraint(constraint_);
        }
        window_.setFixedSize(fixedSize_);
    }

    QWidget& window_;
    QWindow& handle_;
    const bool wayland_;
    bool freed_ = false;
    bool refused_ = false;
    QSize fixedSize_;
    QLayout::SizeConstraint constraint_ = QLayout::SetDefaultConstraint;
};

}  // namespace

void refuseSizeStates(QWidget& window) {
    window.winId();
    if (QWindow* handle = window.windowHandle()) {
        new SizeKeeper(window, *handle);
    }
}

}  // namespace klobbet
