#include "window/qt/x11_atoms.h"

#include <QGuiApplication>

namespace klobbet {

xcb_connection_t* x11Connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

}  // namespace klobbet
