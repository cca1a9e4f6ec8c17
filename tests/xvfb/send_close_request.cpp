// Sends a window the close request a window manager sends for its close box
// (WM_DELETE_WINDOW), so the tests can close the game on a bare X server.

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>

#include "window/qt/linux/x11_atoms.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s WINDOW_ID\n", argv[0]);
        return 2;
    }
    const auto window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "cannot connect to the X server\n");
        return 1;
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = klobbet::internAtom(connection, "WM_PROTOCOLS");
    message.data.data32[0] = klobbet::internAtom(connection, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    // Wait for the server to have handled the request before hanging up.
    const auto cookie = xcb_send_event_checked(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                                               reinterpret_cast<const char*>(&message));
    xcb_generic_error_t* error = xcb_request_check(connection, cookie);
    const int status = error == nullptr ? 0 : 1;
    if (error != nullptr) {
        std::fprintf(stderr, "the X server refused the close request (error %d)\n",
                     error->error_code);
        std::free(error);
    }
    xcb_disconnect(connection);
    return status;
}
