#include "window/qt/desktop_frame.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <thread>

#include "window/qt/x11_atoms.h"

namespace klobbet {

namespace {

using Reply = std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)>;

Reply property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name, xcb_atom_t type,
               std::uint32_t longs) {
    const auto cookie = xcb_get_property(connection, 0, window, name, type, 0, longs);
    return {xcb_get_property_reply(connection, cookie, nullptr), &std::free};
}

bool supportedByWindowManager(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t wanted) {
    const xcb_atom_t supported = internAtom(connection, "_NET_SUPPORTED");
    const Reply reply = property(connection, root, supported, XCB_ATOM_ATOM, 1024);
    if (!reply || reply->format != 32) {
        return false;
    }
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, wanted) != atoms + count;
}

}  // namespace

QMargins frameExtents(QWidget& window) {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr) {
        return {};
    }
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t request = internAtom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = internAtom(connection, "_NET_FRAME_EXTENTS");
    if (!supportedByWindowManager(connection, rootWindow(connection), request)) {
        return {};
    }

    askWindowManager(connection, id, request);

    // The answer is a property the window manager sets on the window; it
    // comes within milliseconds, or never from one that ignores the request.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (std::chrono::steady_clock::now() < deadline) {
        const Reply reply = property(connection, id, extents, XCB_ATOM_CARDINAL, 4);
        if (reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) == 16) {
            const auto* sides =
                static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
            // The window manager counts device pixels; Qt places in its own.
            const qreal ratio = window.devicePixelRatioF();
            auto scaled = [ratio](std::uint32_t side) {
                return static_cast<int>(std::lround(side / ratio));
            };
            return {scaled(sides[0]), scaled(sides[2]), scaled(sides[1]), scaled(sides[3])};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return {};
}

void centreOnScreen(QWidget& window) {
    // Placing a window that exists natively names its client area, so the
    // window manager's gravity cannot shift it by the frame.
    window.winId();
    const QScreen* holder = window.screen();
    if (holder == nullptr) {
        return;
    }
    const QMargins frame = frameExtents(window);
    const QRect area = holder->availableGeometry();
    const QSize outer = window.size().grownBy(frame);
    // Halving the spare room, not QRect::center(), which rounds down from the
    // last pixel and would put the frame one pixel off.
    window.move(area.x() + (area.width() - outer.width()) / 2 + frame.left(),
                area.y() + (area.height() - outer.height()) / 2 + frame.top());
}

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
                        handle_.setWindowStates(Qt::WindowNoState);
                    }
                });
            } else if (freed_ && handle_.windowStates() == Qt::WindowNoState) {
                fixSize();
            }
        }
        return false;
    }

  private:
    void onStateChanged(Qt::WindowState state) {
        if (state != Qt::WindowMaximized && state != Qt::WindowFullScreen) {
            return;
        }
        if (!wayland_) {
            handle_.setWindowStates(Qt::WindowNoState);
        } else if (!freed_) {
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
