#include "window/qt/whole_scale.h"

#include <xcb/randr.h>
#include <xcb/xcb.h>

#include <QByteArray>
#include <QList>
#include <QString>
#include <algorithm>
#include <cmath>
#include <optional>

#include "window/qt/linux/x11_atoms.h"

namespace klobbet {

namespace {

struct Area {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

std::optional<double> environmentNumber(const char* name) {
    bool ok = false;
    const double value = qEnvironmentVariable(name).toDouble(&ok);
    return ok && value > 0 ? std::optional<double>(value) : std::nullopt;
}

// The first factor of QT_SCREEN_SCALE_FACTORS ("1.5" or "DP-1=1.5;..."): the
// game opens on the primary screen, which is the first one Qt lists.
std::optional<double> screenFactorSet() {
    const QByteArray spec = qgetenv("QT_SCREEN_SCALE_FACTORS");
    if (spec.isEmpty()) {
        return std::nullopt;
    }
    QByteArray first = spec.split(';').first();
    first = first.mid(first.lastIndexOf('=') + 1);
    bool ok = false;
    const double value = first.toDouble(&ok);
    return ok && value > 0 ? std::optional<double>(value) : std::nullopt;
}

std::optional<XcbReply<xcb_get_property_reply_t>> rootProperty(xcb_connection_t* connection,
                                                               xcb_window_t root, const char* name,
                                                               xcb_atom_t type) {
    const xcb_atom_t atom = internAtom(connection, name);
    if (atom == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    auto reply = readProperty(connection, root, atom, type, 1 << 16);
    if (!reply || xcb_get_property_value_length(reply.get()) == 0) {
        return std::nullopt;
    }
    return reply;
}

// Xft.dpi from the resource database the desktop loads into the root window.
double xftDpi(xcb_connection_t* connection, xcb_window_t root) {
    const auto resources = rootProperty(connection, root, "RESOURCE_MANAGER", XCB_ATOM_STRING);
    if (!resources) {
        return 0;
    }
    const auto* text = static_cast<const char*>(xcb_get_property_value(resources->get()));
    const QByteArray database(text, xcb_get_property_value_length(resources->get()));
    for (const QByteArray& line : database.split('\n')) {
        if (line.startsWith("Xft.dpi:")) {
            return line.mid(8).trimmed().toDouble();
        }
    }
    return 0;
}

// The primary monitor, or the first one, or the whole root window.
Area monitorArea(xcb_connection_t* connection, const xcb_screen_t& screen) {
    Area area{0, 0, screen.width_in_pixels, screen.height_in_pixels};
    XcbReply<xcb_randr_get_monitors_reply_t> monitors(xcb_randr_get_monitors_reply(
        connection, xcb_randr_get_monitors(connection, screen.root, 1), nullptr));
    if (!monitors) {
        return area;
    }
    bool found = false;
    for (auto it = xcb_randr_get_monitors_monitors_iterator(monitors.get()); it.rem != 0;
         xcb_randr_monitor_info_next(&it)) {
        if (!found || it.data->primary != 0) {
            area = {it.data->x, it.data->y, it.data->width, it.data->height};
            found = true;
        }
    }
    return area;
}

// The monitor's part of the window manager's work area (the screen less its
// panels), where the window manager says one.
Area availableArea(xcb_connection_t* connection, const xcb_screen_t& screen) {
    Area area = monitorArea(connection, screen);
    const auto workAreas =
        rootProperty(connection, screen.root, "_NET_WORKAREA", XCB_ATOM_CARDINAL);
    if (!workAreas) {
        return area;
    }
    std::uint32_t desktop = 0;
    if (const auto current =
            rootProperty(connection, screen.root, "_NET_CURRENT_DESKTOP", XCB_ATOM_CARDINAL)) {
        desktop = *static_cast<const std::uint32_t*>(xcb_get_property_value(current->get()));
    }
    const auto count = static_cast<std::uint32_t>(xcb_get_property_value_length(workAreas->get()) /
                                                  (4 * sizeof(std::uint32_t)));
    if (desktop >= count) {
        desktop = 0;
    }
    const auto* values =
        static_cast<const std::uint32_t*>(xcb_get_property_value(workAreas->get())) + 4 * desktop;
    const int left = std::max(area.x, static_cast<int>(values[0]));
    const int top = std::max(area.y, static_cast<int>(values[1]));
    const int right = std::min(area.x + area.width, static_cast<int>(values[0] + values[2]));
    const int bottom = std::min(area.y + area.height, static_cast<int>(values[1] + values[3]));
    if (right > left && bottom > top) {
        area = {left, top, right - left, bottom - top};
    }
    return area;
}

void setEnvironment(const char* name, double value) {
    qputenv(name, QByteArray::number(value));
}

struct ScreenFacts {
    double xftDpi = 0;
    Area available;
};

// Xft.dpi and the available area of the X display the game will open on;
// nothing without one. Under Wayland it is XWayland's, where the area is
// the outputs' area all the same.
std::optional<ScreenFacts> readScreen() {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return std::nullopt;
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 1; ++i) {
        xcb_screen_next(&screens);
    }
    const xcb_screen_t& screen = *screens.data;
    const ScreenFacts facts{xftDpi(connection, screen.root), availableArea(connection, screen)};
    xcb_disconnect(connection);
    return facts;
}

}  // namespace

void chooseWholeScale() {
    const double globalFactor = environmentNumber("QT_SCALE_FACTOR").value_or(1.0);
    const std::optional<double> screenFactor = screenFactorSet();
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool wayland = platform.startsWith("wayland") ||
                         (platform.isEmpty() && qgetenv("XDG_SESSION_TYPE") == "wayland" &&
                          qEnvironmentVariableIsSet("WAYLAND_DISPLAY"));
    if (wayland || (!platform.isEmpty() && !platform.startsWith("xcb"))) {
        // A Wayland compositor's own scale is whole in the protocol Qt
        // follows; only factors set by hand can be fractional here.
        if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR") || screenFactor) {
            const double factor = globalFactor * screenFactor.value_or(1.0);
            const std::optional<ScreenFacts> screen =
                qEnvironmentVariableIsSet("DISPLAY") ? readScreen() : std::nullopt;
            const int scale = screen ? wholeScaleFor(factor, screen->available.width,
                                                     screen->available.height, 96 * factor)
                                     : std::max(1, static_cast<int>(std::lround(factor)));
            qunsetenv("QT_SCREEN_SCALE_FACTORS");
            setEnvironment("QT_SCALE_FACTOR", scale);
        }
        return;
    }
    const std::optional<ScreenFacts> screen = readScreen();
    if (!screen) {
        return;  // Qt reports the missing display itself
    }
    const double forcedDpi = environmentNumber("QT_FONT_DPI").value_or(0);
    const double desktopDpi = forcedDpi > 0 ? forcedDpi : screen->xftDpi;

    // What Qt would do: a factor set for the screen replaces the one from
    // the font resolution, and QT_SCALE_FACTOR multiplies either.
    const bool dpiScaling = qgetenv("QT_ENABLE_HIGHDPI_SCALING") != "0";
    const double textDpi = desktopDpi > 0 ? desktopDpi : 96;
    const double screenPart = screenFactor ? *screenFactor : dpiScaling ? textDpi / 96 : 1.0;
    const double desktopFactor = globalFactor * screenPart;
    const double fontDpi = (screenFactor ? 96 * *screenFactor : textDpi) * globalFactor;
    const int scale =
        wholeScaleFor(desktopFactor, screen->available.width, screen->available.height, fontDpi);

    // Qt's own scaling from the font resolution would round again, and
    // shrink the text to match: the game's factor alone scales, and the text
    // keeps the desktop's size on the screen.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    setEnvironment("QT_SCALE_FACTOR", scale);
    setEnvironment("QT_FONT_DPI", std::round(fontDpi / scale));
}

}  // namespace klobbet
