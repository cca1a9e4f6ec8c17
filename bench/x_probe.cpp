// The bench's hands and eyes on the X server, with exact times.
//
// Prints one line per top-level window mapped, stamped on the monotonic
// clock as soon as the event arrives:
//
//   map <nanoseconds> <window> <title>
//
// and, for each line "press <window> <keysym>" read on stdin, gives that
// window the focus, presses and releases the key through XTEST, and prints
//
//   pressed <nanoseconds>
//
// stamped once the server has handled the press (a round trip after it),
// so the time is that of the key reaching the program, not of a helper
// process starting and exiting around it. On a bare server (no window
// manager) top-level windows are the root's own children, so the root's
// substructure events are exactly the moments they appear.

#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "window/qt/x11_atoms.h"

namespace {

long long nowNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

xcb_connection_t* connect() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "x_probe: cannot connect to the X server\n");
        std::exit(1);
    }
    return connection;
}

std::string textProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                         xcb_atom_t type) {
    const auto cookie = xcb_get_property(connection, 0, window, property, type, 0, 256);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    std::string text;
    if (reply != nullptr && reply->format == 8) {
        text.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                    static_cast<std::size_t>(xcb_get_property_value_length(reply)));
    }
    std::free(reply);
    return text;
}

// Waits until the server has handled every request sent so far.
void sync(xcb_connection_t* connection) {
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

xcb_keycode_t keycodeOf(xcb_connection_t* connection, xcb_keysym_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    const auto cookie =
        xcb_get_keyboard_mapping(connection, setup->min_keycode, static_cast<uint8_t>(count));
    xcb_get_keyboard_mapping_reply_t* reply =
        xcb_get_keyboard_mapping_reply(connection, cookie, nullptr);
    xcb_keycode_t found = 0;
    if (reply != nullptr) {
        const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply);
        const int perKeycode = reply->keysyms_per_keycode;
        for (int i = 0; i < count * perKeycode && found == 0; ++i) {
            if (keysyms[i] == keysym) {
                found = static_cast<xcb_keycode_t>(setup->min_keycode + i / perKeycode);
            }
        }
    }
    std::free(reply);
    return found;
}

void press(xcb_connection_t* connection, xcb_window_t window, xcb_keysym_t keysym) {
    const xcb_keycode_t keycode = keycodeOf(connection, keysym);
    if (keycode == 0) {
        std::printf("error no keycode for keysym 0x%x\n", keysym);
        return;
    }
    xcb_set_input_focus(connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    sync(connection);
    xcb_test_fake_input(connection, XCB_KEY_PRESS, keycode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    sync(connection);
    const long long at = nowNanoseconds();
    xcb_test_fake_input(connection, XCB_KEY_RELEASE, keycode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    sync(connection);
    std::printf("pressed %lld\n", at);
}

}  // namespace

int main() {
    xcb_connection_t* watch = connect();
    xcb_connection_t* hands = connect();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(watch)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const auto cookie =
        xcb_change_window_attributes_checked(watch, screen->root, XCB_CW_EVENT_MASK, &mask);
    if (xcb_generic_error_t* error = xcb_request_check(watch, cookie)) {
        std::fprintf(stderr, "x_probe: cannot watch the root window (error %d)\n",
                     error->error_code);
        std::free(error);
        return 1;
    }
    const xcb_atom_t netName = klobbet::internAtom(watch, "_NET_WM_NAME");
    const xcb_atom_t utf8 = klobbet::internAtom(watch, "UTF8_STRING");
    std::printf("ready\n");
    std::fflush(stdout);

    std::string pending;
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(watch)) {
            const long long at = nowNanoseconds();
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                std::string title = textProperty(watch, map->window, netName, utf8);
                if (title.empty()) {
                    title = textProperty(watch, map->window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
                }
                std::printf("map %lld %u %s\n", at, map->window, title.c_str());
            }
            std::free(event);
        }
        std::fflush(stdout);
        if (xcb_connection_has_error(watch) != 0) {
            return 1;
        }

        pollfd fds[2] = {{xcb_get_file_descriptor(watch), POLLIN, 0}, {0, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            continue;
        }
        if ((fds[1].revents & (POLLIN | POLLHUP)) != 0) {
            char buffer[256];
            const ssize_t read = ::read(0, buffer, sizeof buffer);
            if (read <= 0) {
                return 0;  // the bench has gone
            }
            pending.append(buffer, static_cast<std::size_t>(read));
            std::size_t newline;
            while ((newline = pending.find('\n')) != std::string::npos) {
                unsigned window = 0;
                unsigned keysym = 0;
                if (std::sscanf(pending.c_str(), "press %u %x", &window, &keysym) == 2) {
                    press(hands, window, keysym);
                } else {
                    std::printf("error unknown command\n");
                }
                pending.erase(0, newline + 1);
            }
            std::fflush(stdout);
        }
    }
}
