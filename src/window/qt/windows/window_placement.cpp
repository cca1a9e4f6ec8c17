#include "window/qt/window_placement.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace klobbet {

namespace {

QPointer<QScreen> startUpScreen;

}  // namespace

// Windows draws the frame from the window's own styles, which Qt knows as
// soon as the native window exists: no window manager to ask or to wait for.
QMargins frameExtents(QWidget& window) {
    window.winId();
    const QWindow* handle = window.windowHandle();
    return handle != nullptr ? handle->frameMargins() : QMargins();
}

void centreOver(QWidget& window, const QRect& area) {
    const QMargins frame = frameExtents(window);
    const QSize outer = window.size().grownBy(frame);
    // Halving the spare room, as Windows centres its own dialogs. The
    // client area is placed: a move would place the frame once Qt knows it,
    // and the client area before.
    const QPoint client(area.x() + (area.width() - outer.width()) / 2 + frame.left(),
                        area.y() + (area.height() - outer.height()) / 2 + frame.top());
    window.setGeometry(QRect(client, window.size()));
}

void centreOnScreen(QWidget& window) {
    window.winId();
    QScreen* holder = startUpScreen ? startUpScreen.data() : window.screen();
    if (holder != nullptr) {
        centreOver(window, holder->availableGeometry());
    }
}

QRect outerFrame(QWidget& window) {
    return window.frameGeometry();
}

void rememberScreenOf(QWidget& window) {
    if (QScreen* screen = QGuiApplication::screenAt(outerFrame(window).center())) {
        startUpScreen = screen;
    }
}

}  // namespace klobbet
