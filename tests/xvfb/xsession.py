"""Drives the real game binary on a private Xvfb display, as a player would:
xdotool for keys and clicks, ImageMagick for screenshots, the clipboard for
the text of message boxes. The desktop around the game (bare X, a window
manager, or a Wayland compositor) comes from KLOBBET_DESKTOP; see desktops."""

import os
import re
import subprocess
import sys
import tempfile
import time

import desktops
import game_output
import wayland_log
from images import Image, bitmap, is_dark, is_white, read_bmp, read_ppm  # noqa: F401



class Session:
    def __init__(self, binary, extra_env=None, screen="1024x768x24", desktop=None,
                 resources=None, before_desktop=None):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", f":{desktops.free_display()}", "-displayfd", str(write_fd), "-screen", "0",
             screen, "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=desktops.dies_with_parent)
        os.close(write_fd)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read_fd, 16)
            if not chunk:
                raise RuntimeError("Xvfb did not start")
            number += chunk
        os.close(read_fd)
        # The tools' environment: they all talk to Xvfb.
        self.env = dict(os.environ, DISPLAY=":" + number.decode().strip())
        self.env.pop("QT_QPA_PLATFORM", None)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.screen_size = tuple(int(n) for n in screen.split("x")[:2])
        if resources:  # the X resources a desktop loads, Xft.dpi among them
            subprocess.run(["xrdb", "-nocpp", "-merge"], input=resources, text=True,
                           env=self.env, check=True)
        if before_desktop:  # monitors, the pointer: what the desktop starts with
            before_desktop(self)
        self.bus = desktops.SessionBus()
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.bus.address
        self.desktop = desktops.start(desktop or os.environ.get("KLOBBET_DESKTOP", "bare"),
                                      self.env, *self.screen_size)
        self.game_env = self.desktop.game_env(dict(self.env, **(extra_env or {})))
        self.started = time.monotonic()
        # The game's output goes to a file: a pipe nobody reads would block the
        # game once full, and a sanitizer's report must be there to read. The
        # game appends; the tests read through a file of their own, so that
        # their reading never moves where the game writes.
        self.output = tempfile.NamedTemporaryFile(mode="ab")
        self.wayland = wayland_log.WaylandWindows(self.output.name) if self.desktop.wayland else None
        self.game = subprocess.Popen(self.desktop.game_command(binary), env=self.game_env,
                                     stdout=self.output, stderr=subprocess.STDOUT,
                                     preexec_fn=desktops.dies_with_parent)

    def run(self, *command, check=True):
        return subprocess.run(command, env=self.env, check=check, capture_output=True,
                              text=True).stdout

    def windows(self, name):
        if self.wayland:
            return self.wayland.named(name)
        # xdotool matches names without regard to case; keep exact ones, and
        # only the game's: mutter 48 draws each frame in a window of its own
        # client that carries the same title.
        out = self.run("xdotool", "search", "--onlyvisible", "--name", f"^{name}$", check=False)
        return [int(w) for w in out.split()
                if self.run("xdotool", "getwindowname", w, check=False).strip() == name
                and self.window_pid(w) == self.game.pid]

    def window_pid(self, window):
        out = self.run("xprop", "-id", str(window), "-notype", "_NET_WM_PID", check=False)
        match = re.search(r"= (\d+)", out)
        return int(match.group(1)) if match else None

    def wait_window(self, name, timeout=10.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = self.windows(name)
            if found:
                return found[0]
            if self.game.poll() is not None:
                raise AssertionError(f"the game exited ({self.game.returncode}) before '{name}'")
            time.sleep(0.02)
        raise AssertionError(f"no window '{name}' within {timeout} s")

    def wait_gone(self, name, timeout=10.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if not self.windows(name):
                return
            time.sleep(0.02)
        raise AssertionError(f"window '{name}' still there after {timeout} s")

    def geometry(self, window):
        """Where the window's own area is on the screen, frame excluded."""
        if self.wayland:
            x, y = self.wayland_origin()
            width, height = self.wayland.size(window)
            return x, y - (height - 593), width, height
        out = self.run("xwininfo", "-id", str(window))
        values = dict(line.strip().split(": ", 1) for line in out.splitlines() if ": " in line)
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                int(values["Width"]), int(values["Height"]))

    def frame(self, window):
        """The window's outer frame on the screen (left, top, width, height),
        or None where the compositor places windows."""
        if self.wayland:
            return None
        x, y, width, height = self.geometry(window)
        if not self.desktop.managed:
            return x, y, width, height
        # kwin sets the extents only once it has taken the mapped window
        # into its frame.
        deadline = time.monotonic() + 5.0
        while "=" not in (out := self.run("xprop", "-id", str(window), "_NET_FRAME_EXTENTS")):
            assert time.monotonic() < deadline, f"the window manager gave no frame: {out}"
            time.sleep(0.02)
        left, right, top, bottom = (int(n) for n in out.split("=")[1].split(","))
        return x - left, y - top, width + left + right, height + top + bottom

    def wayland_origin(self):
        """The client area's corner of the one game window on the Wayland
        desktop, found by its playing field's black border, 657 pixels wide."""
        def found(shot):
            # Runs of zero bytes, cut to whole pixels: a desktop drawn black
            # is one long run, not a million places to try.
            for run in re.finditer(rb"\0{3,}", shot.pixels):
                start, end = -(-run.start() // 3) * 3, run.end() // 3 * 3
                if end - start == 3 * 657:
                    return start
            return -1
        shot = self.wait_screen(lambda s: found(s) >= 0)
        at = found(shot) // 3
        return at % shot.width - 32, at // shot.width - 16

    def has_focus(self, window):
        if self.wayland:
            return self.wayland.has_focus(window)
        return self.run("xdotool", "getwindowfocus", check=False).strip() == str(window)

    def focus(self, window):
        """On a bare X server the test gives the focus; on a desktop it must
        already be there, given by the desktop and the game, without a click."""
        if not self.desktop.managed and not self.wayland:
            self.run("xdotool", "windowfocus", "--sync", str(window), check=False)
            return
        deadline = time.monotonic() + 3
        while not self.has_focus(window):
            if time.monotonic() > deadline:
                raise AssertionError(f"{window} never got the keyboard focus")
            time.sleep(0.02)

    def key(self, window, *keys, delay_ms=30):
        self.focus(window)
        self.run("xdotool", "key", "--delay", str(delay_ms), *keys)

    def key_down_up(self, window, key, held_s):
        self.focus(window)
        self.run("xdotool", "keydown", key)
        time.sleep(held_s)
        self.run("xdotool", "keyup", key)

    def pointer(self):
        out = self.run("xdotool", "getmouselocation", "--shell")
        values = dict(line.split("=") for line in out.split())
        return int(values["X"]), int(values["Y"])

    def click(self, x, y):
        # "mousemove --sync" waits for the pointer to move, for a long while
        # when it is already there.
        if self.pointer() != (x, y):
            self.run("xdotool", "mousemove", "--sync", str(x), str(y))
        self.run("xdotool", "click", "1")
        if self.wayland:
            # weston draws its pointer into the screenshots: out of the way,
            # in the screen's corner.
            self.run("xdotool", "mousemove", *(str(n - 3) for n in self.screen_size))

    def screenshot(self, path=None):
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env, check=True,
                              capture_output=True).stdout
        if path:
            subprocess.run(["convert", "ppm:-", path], input=data, check=True)
        return read_ppm(data)

    def wait_screen(self, predicate, timeout=10.0):
        """The first screenshot for which predicate(image) holds."""
        deadline = time.monotonic() + timeout
        while True:
            shot = self.screenshot()
            if predicate(shot):
                return shot
            if time.monotonic() > deadline:
                raise AssertionError("the screen never showed what was awaited")
            time.sleep(0.05)

    def box_text(self, window):
        """The title, text and buttons of a message box, as it copies them;
        None on a Wayland desktop with no X server to read the clipboard
        through (the title is still known from the protocol), and under
        Wine, whose boxes copy to Windows' clipboard only."""
        if (self.wayland and not self.desktop.x_clipboard) or self.desktop.name == "wine":
            self.focus(window)
            return None
        self.key(window, "ctrl+c")
        deadline = time.monotonic() + 3
        while time.monotonic() < deadline:
            # On Wayland the X server the game sees is XWayland, which weston
            # bridges to the Wayland clipboard.
            out = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=self.game_env,
                                 capture_output=True, text=True)
            if out.returncode == 0 and out.stdout:
                return out.stdout
            time.sleep(0.05)
        raise AssertionError("the message box copied nothing")

    @property
    def queues_close_requests(self):
        """Whether a second close request can come while the question is up:
        not on Wayland, where the request is a click on Qt's own frame, which
        a modal box blocks, nor on Windows, which sends no close to a window
        its modal box has disabled."""
        return not self.wayland and self.desktop.name != "wine"

    def close_request(self, window):
        if self.wayland:
            # Qt draws the frame there: its close box, 30 pixels of title bar
            # above the window, 8 pixels in from its right edge.
            x, y, width, _ = self.geometry(window)
            self.click(x + width + 3 - 8 - 9, y - 15)
            return
        helper = os.environ.get("KLOBBET_SEND_CLOSE")
        self.run(helper, str(window))

    def wait_exit(self, timeout=10.0):
        return self.game.wait(timeout=timeout)

    def start_past_message(self):
        """Dismisses the start-up message; returns the main window and the
        screen position of its client area's top-left corner."""
        box = self.wait_window("Klobbet :")
        self.key(box, "Return")
        window = self.wait_window("Klobbet")
        x, y, w, h = self.geometry(window)
        return window, (x, y + (h - 593))

    def quit_through_menu(self, window):
        """Alt+P, down to "Quitter", "Oui", then the parting message: the
        game must end with status 0."""
        self.key(window, "alt+p", "Down", "Down", "Return", delay_ms=60)
        question = self.wait_window("Sale Battard !")
        self.key(question, "Left", "Return")
        parting = self.wait_window("Au revoir !")
        self.key(parting, "Return")
        assert self.wait_exit() == 0

    def game_output(self):
        with open(self.output.name, "rb") as output:
            return output.read().decode(errors="replace")

    def close(self):
        if self.game.poll() is None:
            self.game.kill()
            self.game.wait()
        self.desktop.close()
        self.bus.close()
        if self.xvfb.poll() is None:
            self.xvfb.kill()
            self.xvfb.wait()
        self.output.close()


def main(test, failure_picture="klobbet-failure.png", **session_options):
    """Runs test(session) against the binary named on the command line; a
    fault the game reports in its output fails it too."""
    session = Session(sys.argv[1], **session_options)
    try:
        test(session)
        game_output.assert_no_fault(session.game_output(), session.wayland is not None)
    except Exception:
        try:
            name = f"{session.desktop.name}-{failure_picture}"
            session.screenshot(os.path.join(os.environ.get("TMPDIR", "/tmp"), name))
        finally:
            output = game_output.for_reading(session.game_output(), session.wayland is not None)
            print("The game's output:\n" + output, file=sys.stderr)
        raise
    finally:
        session.close()
    print("ok")
