"""Two monitors side by side on one X screen, the pointer on the right-hand
one: the start-up message opens where the desktop puts it, and the window
opens on that same monitor, each centred there, whichever monitor is the
primary one."""

import ctypes
import time

import xsession
from start_up_test import assert_centred_on

WIDTH, HEIGHT = 1024, 768


class MonitorInfo(ctypes.Structure):
    _fields_ = [("name", ctypes.c_ulong), ("primary", ctypes.c_int),
                ("automatic", ctypes.c_int), ("noutput", ctypes.c_int), ("x", ctypes.c_int),
                ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("mwidth", ctypes.c_int), ("mheight", ctypes.c_int),
                ("outputs", ctypes.POINTER(ctypes.c_ulong))]


class ScreenResources(ctypes.Structure):
    _fields_ = [("timestamp", ctypes.c_ulong), ("configTimestamp", ctypes.c_ulong),
                ("ncrtc", ctypes.c_int), ("crtcs", ctypes.POINTER(ctypes.c_ulong)),
                ("noutput", ctypes.c_int), ("outputs", ctypes.POINTER(ctypes.c_ulong))]


def two_monitors(primary):
    """The X server drops a client's monitors when it disconnects, so
    xrandr's last no longer than its call: the test's own connection sets
    them and stays open. The left monitor takes the screen's one output."""
    def set_up(session):
        x11 = ctypes.CDLL("libX11.so.6")
        randr = ctypes.CDLL("libXrandr.so.2")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        randr.XRRGetScreenResources.restype = ctypes.POINTER(ScreenResources)
        randr.XRRGetScreenResources.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        randr.XRRAllocateMonitor.restype = ctypes.POINTER(MonitorInfo)
        randr.XRRAllocateMonitor.argtypes = [ctypes.c_void_p, ctypes.c_int]
        randr.XRRSetMonitor.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                        ctypes.POINTER(MonitorInfo)]
        display = x11.XOpenDisplay(session.env["DISPLAY"].encode())
        root = x11.XDefaultRootWindow(display)
        output = randr.XRRGetScreenResources(display, root).contents.outputs[0]
        for name, left in (("left", 0), ("right", WIDTH)):
            monitor = randr.XRRAllocateMonitor(display, 1 if left == 0 else 0).contents
            monitor.name = x11.XInternAtom(display, name.encode(), 0)
            monitor.primary = int(name == primary)
            monitor.x, monitor.y, monitor.width, monitor.height = left, 0, WIDTH, HEIGHT
            monitor.mwidth, monitor.mheight = 271, 203
            if left == 0:
                monitor.outputs[0] = output
            randr.XRRSetMonitor(display, root, ctypes.byref(monitor))
        x11.XSync(ctypes.c_void_p(display), 0)
        session.monitor_display = display
        listed = session.run("xrandr", "--listmonitors")
        assert "Monitors: 2" in listed and f"*{primary}" in listed, listed
        session.run("xdotool", "mousemove", str(WIDTH + WIDTH // 2), str(HEIGHT // 2))
    return set_up


def monitor_of(session, window):
    """The monitor the box stands centred on, once the window manager has
    placed it: a frame read while kwin is still taking the box into its
    frame can stand anywhere (once in twenty runs on a busy machine)."""
    deadline = time.monotonic() + 1.0
    while True:
        x, y, width, height = session.frame(window)
        for left in (0, WIDTH):
            if abs(2 * (x - left) + width - WIDTH) <= 2 and abs(2 * y + height - HEIGHT) <= 2:
                return (left, 0, WIDTH, HEIGHT)
        assert time.monotonic() < deadline, ("the box is centred on neither monitor",
                                             (x, y, width, height))
        time.sleep(0.02)


def test(session):
    box = session.wait_window("Klobbet :")
    monitor = monitor_of(session, box)
    session.key(box, "Return")
    window = session.wait_window("Klobbet")
    assert_centred_on(session, window, monitor)
    session.quit_through_menu(window)


if __name__ == "__main__":
    for primary in ("right", "left"):
        xsession.main(test, f"monitors-{primary}-failure.png", screen=f"{2 * WIDTH}x{HEIGHT}x24",
                      before_desktop=two_monitors(primary))
