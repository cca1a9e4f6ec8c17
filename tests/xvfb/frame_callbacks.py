"""Windows hidden while the compositor was about to tell the game it may
draw again. Qt Wayland before 6.4.3 hands a window's frame callback to a
thread of its own and, when the window is hidden, frees that callback
without a lock: if the compositor's "done" is being read at that moment,
both free it (libwayland's "wl_proxy_unref: Assertion `proxy->refcount > 0'
failed"), or the window's lock dies held ("QMutex: destroying locked
mutex") and no window is told it may draw again. The game hides its
windows only once their last frame is answered; this reads the protocol
log (WAYLAND_DEBUG) for a window destroyed with its frame still due. Qt's
own menus are left out: Qt closes them, not the game."""

import re

LINE = re.compile(r"^\[\s*([\d.]+)\]\s+(?:\{[^}]*\}\s+)?(->\s+)?(?:discarded\s+)?"
                  r"(\w+)[@#](\d+)\.(\w+)\((.*)\)$")

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
    for line in log.splitlines():
        found = LINE.match(line)
        if not found:
            continue
        time, sent, interface, number, message, args = found.groups()
        time, number = float(time), int(number)
        ids = [int(n) for n in re.findall(r"[@#](\d+)", args)]
        if sent and interface == "xdg_wm_base" and message == "get_xdg_surface":
            surface_of_xdg[ids[0]] = ids[1]
        elif sent and interface == "xdg_surface" and message == "get_toplevel":
            windows.add(surface_of_xdg.get(number))
        elif sent and interface == "wl_surface" and message == "frame":
            due[number] = (ids[0], time)
        elif not sent and interface == "wl_callback" and message == "done":
            due = {s: c for s, c in due.items() if c[0] != number}
        elif sent and interface == "wl_surface" and message == "destroy":
            callback, asked = due.pop(number, (None, None))
            if number in windows and callback is not None and time - asked < DUE_MS:
                faults.append((number, callback, round(time - asked, 1)))
            windows.discard(number)  # its id comes back for other surfaces
    return faults
