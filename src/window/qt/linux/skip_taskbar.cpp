#include "window/qt/skip_taskbar.h"

#include <QWidget>

#include "window/qt/linux/x11_atoms.h"

namespace klobbet {

void skipTaskbar(QWidget& window) {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr) {
        return;
    }
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t skip = internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE) {
        return;
    }
    // Qt rewrites the state when it maps the window, so the standard request
    // to the window manager goes out afterwards: add the state, from a
    // normal application.
    askWindowManager(connection, static_cast<xcb_window_t>(window.winId()), state,
                     {1, skip, 0, 1, 0});
}

}  // namespace klobbet
