#include "window/qt/window_placement.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <optional>
#include <thread>

#include "window/qt/linux/x11_atoms.h"

namespace klobbet {

namespace {

bool supportedByWindowManager(xcb_connection_t* connection, xcb_atom_t wanted) {
    const xcb_atom_t supported = internAtom(connection, "_NET_SUPPORTED");
    const auto reply =
        readProperty(connection, rootWindow(connection), supported, XCB_ATOM_ATOM, 1024);
    if (!reply || reply->format != 32) {
        return false;
    }
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, wanted) != atoms + count;
}

// The frame the window manager gave the game's last window: the first
// guess for the next one where it cannot be asked beforehand.
QMargins lastFrame;
QPointer<QScreen> startUpScreen;

// The window's _NET_FRAME_EXTENTS, if the window manager has set it.
std::optional<QMargins> framePropertyOf(QWidget& window) {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr) {
        return std::nullopt;
    }
    const xcb_atom_t extents = internAtom(connection, "_NET_FRAME_EXTENTS");
    const auto reply = readProperty(connection, static_cast<xcb_window_t>(window.winId()), extents,
                                    XCB_ATOM_CARDINAL, 4);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16) {
        return std::nullopt;
    }
    const auto* sides = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    // The window manager counts device pixels; Qt places in its own.
    const qreal ratio = window.devicePixelRatioF();
    auto scaled = [ratio](std::uint32_t side) {
        return static_cast<int>(std::lround(side / ratio));
    };
    lastFrame = {scaled(sides[0]), scaled(sides[2]), scaled(sides[1]), scaled(sides[3])};
    return lastFrame;
}

// Places the window's client area so that a frame of the given size around
// it is centred on `area`. By its client geometry, never QWidget::move():
// once Qt knows a window's frame, move() places the frame's corner, and
// whether it knows it yet depends on the order in which the window
// manager's events came.
void placeCentred(QWidget& window, const QRect& area, const QMargins& frame) {
    const QSize outer = window.size().grownBy(frame);
    // Halving the spare room, not QRect::center(), which rounds down from the
    // last pixel and would put the frame one pixel off.
    const QPoint client(area.x() + (area.width() - outer.width()) / 2 + frame.left(),
                        area.y() + (area.height() - outer.height()) / 2 + frame.top());
    window.setGeometry(QRect(client, window.size()));
}

// Window managers that cannot be asked for the frame beforehand set it only
// once the window is mapped, and some (mutter 48, whose frames are drawn by
// a client of its own) first answer the question with an empty frame: the
// window is placed again, once, for the first frame that differs from the
// guess. One that never differs is the guess, and stops the watch after a
// while.
class LateFrame : public QObject, public QAbstractNativeEventFilter {
  public:
    LateFrame(QWidget& window, const QRect& area, const QMargins& guessed)
        : QObject(&window),
          window_(window),
          area_(area),
          guessed_(guessed),
          id_(static_cast<xcb_window_t>(window.winId())),
          atom_(internAtom(x11Connection(), "_NET_FRAME_EXTENTS")) {
        setObjectName(kName);
        QCoreApplication::instance()->installNativeEventFilter(this);
        QTimer::singleShot(kWatch, this, &QObject::deleteLater);
    }

    // Named, since it has no meta-object of its own to be found by.
    static constexpr const char* kName = "klobbet-late-frame";
    ~LateFrame() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) {
            return false;
        }
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (notify->window == id_ && notify->atom == atom_) {
            // Not from inside Qt's event dispatch: the move is a request of
            // its own.
            const auto place = [this] { placeForRealFrame(); };
            QMetaObject::invokeMethod(this, place, Qt::QueuedConnection);
        }
        return false;
    }

  private:
    void placeForRealFrame() {
        const std::optional<QMargins> frame = framePropertyOf(window_);
        if (frame && *frame != guessed_) {
            placeCentred(window_, area_, *frame);
            deleteLater();
        }
    }

    // Long enough for a frame drawn by another process under a loaded
    // machine; a frame comes within milliseconds of the mapping.
    static constexpr std::chrono::seconds kWatch{3};

    QWidget& window_;
    const QRect area_;
    const QMargins guessed_;
    const xcb_window_t id_;
    const xcb_atom_t atom_;
};

}  // namespace

QMargins frameExtents(QWidget& window) {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr) {
        return {};
    }
    const xcb_atom_t request = internAtom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    if (const auto known = framePropertyOf(window)) {
        return *known;
    }
    if (!supportedByWindowManager(connection, request)) {
        return lastFrame;
    }
    askWindowManager(connection, static_cast<xcb_window_t>(window.winId()), request);
    // The answer is a property the window manager sets on the window; it
    // comes within milliseconds, or never from one that ignores the request.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (std::chrono::steady_clock::now() < deadline) {
        if (const auto answer = framePropertyOf(window)) {
            return *answer;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return {};
}

void centreOver(QWidget& window, const QRect& area) {
    // Placing a window that exists natively names its client area, so the
    // window manager's gravity cannot shift it by the frame.
    window.winId();
    const QMargins frame = frameExtents(window);
    placeCentred(window, area, frame);
    if (x11Connection() != nullptr &&
        window.findChild<QObject*>(LateFrame::kName, Qt::FindDirectChildrenOnly) == nullptr) {
        new LateFrame(window, area, frame);
    }
}

void centreOnScreen(QWidget& window) {
    window.winId();
    // Where the window stands now, not QWidget::screen(): Qt learns a
    // window's new monitor from an event of its own, still queued when a box
    // has just been put on the pointer's monitor.
    QScreen* holder = startUpScreen ? startUpScreen.data()
                                    : QGuiApplication::screenAt(window.geometry().center());
    if (holder == nullptr) {
        holder = window.screen();
    }
    if (holder != nullptr) {
        centreOver(window, holder->availableGeometry());
    }
}

QRect outerFrame(QWidget& window) {
    const QRect client(window.mapToGlobal(QPoint(0, 0)), window.size());
    const std::optional<QMargins> frame = framePropertyOf(window);
    return frame ? client.marginsAdded(*frame) : window.frameGeometry();
}

void rememberScreenOf(QWidget& window) {
    if (QScreen* screen = QGuiApplication::screenAt(outerFrame(window).center())) {
        startUpScreen = screen;
    }
}

}  // namespace klobbet
