"""The protocol log the Wayland client library writes (WAYLAND_DEBUG): the
game's windows, their titles and the keyboard focus as the tests follow
them, and the windows the game closed while a frame was due."""

import re
from typing import NamedTuple

# libwayland up to 1.22 writes `[t]  -> xdg_toplevel@22.set_title(...)`;
# 1.23 names objects `xdg_toplevel#22` and puts the event queue's name, in
# braces, after the time. An event for an object the client has already
# destroyed is marked "discarded".
LINE = re.compile(r"^\[\s*([\d.]+)\]\s+(?:\{[^}]*\}\s+)?(->\s+)?(discarded\s+)?"
                  r"(\w+)[@#](\d+)\.(\w+)\((.*)\)$")


class Message(NamedTuple):
    time: float  # ms
    sent: bool  # a request from the game, not an event to it
    discarded: bool
    interface: str
    number: int
    name: str
    args: str

    def ids(self):
        return [int(n) for n in re.findall(r"[@#](\d+)", self.args)]


def messages(text):
    for line in text.splitlines():
        found = LINE.match(line)
        if found:
            time, sent, discarded, interface, number, name, args = found.groups()
            yield Message(float(time), bool(sent), bool(discarded), interface, int(number), name, args)


class WaylandWindows:
    """The game's toplevel windows, their titles and the keyboard focus."""

    def __init__(self, path):
        self.output = open(path, "rb")
        self.offset = 0
        self.surface_of_xdg = {}
        self.toplevels = {}  # id -> [title, wl_surface id]
        self.focused = None
        self.min_size = {}

    def update(self):
        self.output.seek(self.offset)
        data = self.output.read()
        end = data.rfind(b"\n")
        if end < 0:
            return
        self.offset += end + 1
        for message in messages(data[:end].decode(errors="replace")):
            if not message.discarded:
                self._event(message)

    def _event(self, message):
        interface, number, request, args = message.interface, message.number, message.name, message.args
        if interface == "xdg_wm_base" and request == "get_xdg_surface":
            ids = message.ids()
            self.surface_of_xdg[ids[0]] = ids[1]
        elif interface == "xdg_surface" and request == "get_toplevel":
            toplevel = message.ids()[0]
            self.toplevels[toplevel] = [None, self.surface_of_xdg.get(number)]
            self.min_size.pop(toplevel, None)  # ids of destroyed windows come back
        elif interface == "xdg_toplevel" and number in self.toplevels:
            if request == "set_title":
                self.toplevels[number][0] = args.strip('"')
            elif request == "set_min_size":
                # The client's own size comes first; Qt 6.8 then sends it
                # again with its own frame added.
                size = tuple(int(n) for n in args.split(","))
                if size != (0, 0):
                    self.min_size.setdefault(number, size)
            elif request == "destroy":
                del self.toplevels[number]
        elif interface == "wl_keyboard" and request == "enter":
            # "nil" when the surface was destroyed before the event was read
            # (a box closing as the keyboard enters it): no window has it.
            surface = re.search(r"wl_surface[@#](\d+)", args)
            self.focused = int(surface.group(1)) if surface else None
        elif interface == "wl_keyboard" and request == "leave":
            self.focused = None

    def named(self, name):
        self.update()
        return [f"xdg_toplevel@{n}" for n, (title, _) in sorted(self.toplevels.items())
                if title == name]

    def has_focus(self, window):
        self.update()
        entry = self.toplevels.get(int(window.split("@")[1]))
        return entry is not None and entry[1] == self.focused

    def size(self, window):
        self.update()
        return self.min_size.get(int(window.split("@")[1]))


# Windows hidden while the compositor was about to tell the game it may
# draw again. Qt Wayland before 6.4.3 hands a window's frame callback to a
# thread of its own and, when the window is hidden, frees that callback
# without a lock: if the compositor's "done" is being read at that moment,
# both free it (libwayland's "wl_proxy_unref: Assertion `proxy->refcount > 0'
# failed"), or the window's lock dies held ("QMutex: destroying locked
# mutex") and no window is told it may draw again. The game hides its
# windows only once their last frame is answered; this reads the protocol
# log (WAYLAND_DEBUG) for a window destroyed with its frame still due. Qt's
# own menus are left out: Qt closes them, not the game.

# Qt stops waiting for a frame callback after 100 ms and takes the window
# as hidden: a compositor still silent by then is not about to answer, and
# the game closes its window without it.
DUE_MS = 100.0


def closed_mid_frame(log):
    """The windows destroyed less than DUE_MS after asking for a frame
    callback that had not come: [(wl_surface, wl_callback, ms since the ask)]."""
    surface_of_xdg, windows = {}, set()
    due = {}  # wl_surface -> (wl_callback, time asked)
    faults = []
    for m in messages(log):
        if m.sent and m.interface == "xdg_wm_base" and m.name == "get_xdg_surface":
            xdg, surface = m.ids()
            surface_of_xdg[xdg] = surface
        elif m.sent and m.interface == "xdg_surface" and m.name == "get_toplevel":
            windows.add(surface_of_xdg.get(m.number))
        elif m.sent and m.interface == "wl_surface" and m.name == "frame":
            due[m.number] = (m.ids()[0], m.time)
        elif not m.sent and m.interface == "wl_callback" and m.name == "done":
            due = {s: c for s, c in due.items() if c[0] != m.number}
        elif m.sent and m.interface == "wl_surface" and m.name == "destroy":
            callback, asked = due.pop(m.number, (None, None))
            if m.number in windows and callback is not None and m.time - asked < DUE_MS:
                faults.append((m.number, callback, round(m.time - asked, 1)))
            windows.discard(m.number)  # its id comes back for other surfaces
    return faults
