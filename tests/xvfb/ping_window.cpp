// Pings a window as a window manager does (_NET_WM_PING) every few
// milliseconds for a while, and prints the slowest answer in milliseconds, or
// "unanswered" when a ping got no answer within a second.

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <thread>

#include "window/qt/linux/x11_atoms.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s WINDOW_ID SECONDS INTERVAL_MS\n", argv[0]);
        return 2;
    }
    const auto window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    const auto duration = std::chrono::duration<double>(std::atof(argv[2]));
    const auto interval = std::chrono::milliseconds(std::atoi(argv[3]));
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "cannot connect to the X server\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t protocols = klobbet::internAtom(connection, "WM_PROTOCOLS");
    const xcb_atom_t ping = klobbet::internAtom(connection, "_NET_WM_PING");
    // Qt sends its answers to the root window for whoever listens there to
    // the root's own structure (the window manager listens to more).
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);

    std::map<std::uint32_t, Clock::time_point> waiting;
    double slowest = 0;
    std::uint32_t stamp = 1;
    const auto start = Clock::now();
    auto next = start;
    while (Clock::now() - start < duration || !waiting.empty()) {
        if (Clock::now() >= next && Clock::now() - start < duration) {
            xcb_client_message_event_t message{};
            message.response_type = XCB_CLIENT_MESSAGE;
            message.format = 32;
            message.window = window;
            message.type = protocols;
            message.data.data32[0] = ping;
            message.data.data32[1] = stamp;
            message.data.data32[2] = window;
            xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                           reinterpret_cast<const char*>(&message));
            xcb_flush(connection);
            waiting[stamp++] = Clock::now();
            next += interval;
        }
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const auto* answer = reinterpret_cast<const xcb_client_message_event_t*>(event);
            if ((event->response_type & 0x7F) == XCB_CLIENT_MESSAGE && answer->type == protocols &&
                answer->data.data32[0] == ping && answer->data.data32[2] == window) {
                const auto found = waiting.find(answer->data.data32[1]);
                if (found != waiting.end()) {
                    slowest = std::max(slowest, millisecondsSince(found->second));
                    waiting.erase(found);
                }
            }
            std::free(event);
        }
        for (const auto& [sent, when] : waiting) {
            if (millisecondsSince(when) > 1000) {
                std::printf("unanswered\n");
                xcb_disconnect(connection);
                return 0;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::printf("%.1f\n", slowest);
    xcb_disconnect(connection);
    return 0;
}
