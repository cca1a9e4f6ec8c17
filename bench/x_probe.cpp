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
//
// For "latency <window> <keysym> <settle ms>" it gives that window the
// focus, presses the key, lets the window settle (the focus change repaints
// it), then releases the key and prints
//
//   latency <nanoseconds>
//
// from the moment just before the release is sent to the first DAMAGE
// event of that window: the time the key takes to change the screen.

#include <poll.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>

#include "window/qt/linux/x11_atoms.h"

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

void focusAndPress(xcb_connection_t* connection, xcb_window_t window, xcb_keycode_t keycode) {
    // Only a change of focus: a window that gets it again repaints.
    xcb_get_input_focus_reply_t* focus =
        xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr);
    if (focus == nullptr || focus->focus != window) {
        xcb_set_input_focus(connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        sync(connection);
    }
    std::free(focus);
    xcb_test_fake_input(connection, XCB_KEY_PRESS, keycode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    sync(connection);
}

void release(xcb_connection_t* connection, xcb_keycode_t keycode) {
    xcb_test_fake_input(connection, XCB_KEY_RELEASE, keycode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(connection);
}

void press(xcb_connection_t* connection, xcb_window_t window, xcb_keycode_t keycode) {
    focusAndPress(connection, window, keycode);
    const long long at = nowNanoseconds();
    release(connection, keycode);
    sync(connection);
    std::printf("pressed %lld\n", at);
}

// The watching side: the root's map events and the windows' damage.
class Watch {
  public:
    explicit Watch(xcb_connection_t* connection) : connection_(connection) {
        const xcb_query_extension_reply_t* damage =
            xcb_get_extension_data(connection, &xcb_damage_id);
        if (damage != nullptr && damage->present != 0) {
            damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
            std::free(xcb_damage_query_version_reply(
                connection, xcb_damage_query_version(connection, 1, 1), nullptr));
        }
        netName_ = klobbet::internAtom(connection, "_NET_WM_NAME");
        utf8_ = klobbet::internAtom(connection, "UTF8_STRING");
    }

    // Prints map events; returns the window a damage event is about, or 0.
    xcb_window_t handle(xcb_generic_event_t* event) {
        const long long at = nowNanoseconds();
        xcb_window_t damaged = 0;
        const int type = event->response_type & 0x7F;
        if (type == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            std::string title = textProperty(connection_, map->window, netName_, utf8_);
            if (title.empty()) {
                title = textProperty(connection_, map->window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
            }
            std::printf("map %lld %u %s\n", at, map->window, title.c_str());
        } else if (damageEvent_ != 0 && type == damageEvent_) {
            damaged = reinterpret_cast<xcb_damage_notify_event_t*>(event)->drawable;
        }
        std::free(event);
        return damaged;
    }

    void drain() {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            handle(event);
        }
    }

    // Nanoseconds from `since` to the window's first damage event, or -1 if
    // none comes within the timeout. Damage before the call is forgotten.
    long long firstDamage(xcb_window_t window, long long since, long long timeout) {
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                if (handle(event) == window) {
                    const long long at = nowNanoseconds();
                    repair(window);
                    return at - since;
                }
            }
            const long long left = since + timeout - nowNanoseconds();
            if (left <= 0 || xcb_connection_has_error(connection_) != 0) {
                return -1;
            }
            pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
            poll(&fd, 1, static_cast<int>(left / 1000000) + 1);
        }
    }

    // Starts reporting the window's damage, once, and forgets what came so far.
    bool watchDamage(xcb_window_t window) {
        if (damageEvent_ == 0) {
            return false;
        }
        if (damages_.count(window) == 0) {
            const xcb_damage_damage_t damage = xcb_generate_id(connection_);
            xcb_damage_create(connection_, damage, window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            damages_[window] = damage;
        }
        repair(window);
        sync(connection_);
        drain();
        return true;
    }

  private:
    // A non-empty level reports again only once the damage is repaired.
    void repair(xcb_window_t window) {
        xcb_damage_subtract(connection_, damages_.at(window), XCB_NONE, XCB_NONE);
        xcb_flush(connection_);
    }

    xcb_connection_t* connection_;
    int damageEvent_ = 0;
    xcb_atom_t netName_;
    xcb_atom_t utf8_;
    std::map<xcb_window_t, xcb_damage_damage_t> damages_;
};

void latency(Watch& watch, xcb_connection_t* hands, xcb_window_t window, xcb_keycode_t keycode,
             unsigned settleMs) {
    focusAndPress(hands, window, keycode);
    timespec settle{static_cast<time_t>(settleMs / 1000),
                    static_cast<long>(settleMs % 1000) * 1000000L};
    nanosleep(&settle, nullptr);
    if (!watch.watchDamage(window)) {
        release(hands, keycode);
        std::printf("error the server has no DAMAGE extension\n");
        return;
    }
    const long long at = nowNanoseconds();
    release(hands, keycode);
    const long long took = watch.firstDamage(window, at, 2000000000LL);
    if (took < 0) {
        std::printf("error no damage within 2 s\n");
    } else {
        std::printf("latency %lld\n", took);
    }
}

}  // namespace

int main() {
    xcb_connection_t* watching = connect();
    xcb_connection_t* hands = connect();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(watching)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const auto cookie =
        xcb_change_window_attributes_checked(watching, screen->root, XCB_CW_EVENT_MASK, &mask);
    if (xcb_generic_error_t* error = xcb_request_check(watching, cookie)) {
        std::fprintf(stderr, "x_probe: cannot watch the root window (error %d)\n",
                     error->error_code);
        std::free(error);
        return 1;
    }
    Watch watch(watching);
    std::printf("ready\n");
    std::fflush(stdout);

    std::string pending;
    for (;;) {
        watch.drain();
        std::fflush(stdout);
        if (xcb_connection_has_error(watching) != 0) {
            return 1;
        }

        pollfd fds[2] = {{xcb_get_file_descriptor(watching), POLLIN, 0}, {0, POLLIN, 0}};
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
                unsigned settleMs = 0;
                const int fields =
                    std::sscanf(pending.c_str(), "%*s %u %x %u", &window, &keysym, &settleMs);
                const xcb_keycode_t keycode = fields >= 2 ? keycodeOf(hands, keysym) : 0;
                if (fields >= 2 && keycode == 0) {
                    std::printf("error no keycode for keysym 0x%x\n", keysym);
                } else if (pending.rfind("press ", 0) == 0 && fields == 2) {
                    press(hands, window, keycode);
                } else if (pending.rfind("latency ", 0) == 0 && fields == 3) {
                    latency(watch, hands, window, keycode, settleMs);
                } else {
                    std::printf("error unknown command\n");
                }
                pending.erase(0, newline + 1);
            }
            std::fflush(stdout);
        }
    }
}
