#pragma once

#include <xcb/xcb.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace klobbet {

// The X11 atom with this name, or XCB_ATOM_NONE. Inline and free of Qt, so
// that the small X tools of the tests and the bench use it too.
inline xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (reply == nullptr) {
        return XCB_ATOM_NONE;
    }
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

// A reply of the X library, which the caller frees.
struct FreeXcbReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using XcbReply = std::unique_ptr<Reply, FreeXcbReply>;

// Up to `longs` 32-bit units of a window's property; null when the request
// fails.
inline XcbReply<xcb_get_property_reply_t> readProperty(xcb_connection_t* connection,
                                                       xcb_window_t window, xcb_atom_t name,
                                                       xcb_atom_t type, std::uint32_t longs) {
    const auto cookie = xcb_get_property(connection, 0, window, name, type, 0, longs);
    return XcbReply<xcb_get_property_reply_t>(xcb_get_property_reply(connection, cookie, nullptr));
}

// The application's X connection; null on other platforms.
xcb_connection_t* x11Connection();

// The root window of the connection's first screen.
xcb_window_t rootWindow(xcb_connection_t* connection);

// Sends the window manager a request about `window` the standard way, as a
// client message to the root window, and flushes it.
void askWindowManager(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t request,
                      const std::array<std::uint32_t, 5>& data = {});

}  // namespace klobbet
