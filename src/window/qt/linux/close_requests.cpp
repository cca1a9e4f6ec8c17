#include "window/qt/close_requests.h"

#include <QCoreApplication>
#include <QWidget>
#include <utility>

#include "window/qt/linux/x11_atoms.h"

namespace klobbet {

CloseRequestFilter::CloseRequestFilter(QWidget& window, std::function<void()> onCloseRequest)
    : onCloseRequest_(std::move(onCloseRequest)) {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr) {
        return;
    }
    window_ = static_cast<unsigned>(window.winId());
    protocols_ = internAtom(connection, "WM_PROTOCOLS");
    deleteWindow_ = internAtom(connection, "WM_DELETE_WINDOW");
    QCoreApplication::instance()->installNativeEventFilter(this);
}

CloseRequestFilter::~CloseRequestFilter() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool CloseRequestFilter::nativeEventFilter(const QByteArray& eventType, void* message,
                                           qintptr* /*result*/) {
    if (eventType != "xcb_generic_event_t" || window_ == 0) {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE) {
        return false;
    }
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->window != window_ || client->type != protocols_ || client->format != 32 ||
        client->data.data32[0] != deleteWindow_) {
        return false;
    }
    onCloseRequest_();
    return true;
}

}  // namespace klobbet
