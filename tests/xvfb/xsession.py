"""Drives the real game binary on a private Xvfb display, as a player would:
xdotool for keys and clicks, ImageMagick for screenshots, the clipboard for
the text of message boxes."""

import os
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MENU_BAR = None  # measured per session


class Image:
    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def region(self, x, y, w, h):
        return [[self.pixel(x + i, y + j) for i in range(w)] for j in range(h)]

    def count(self, x, y, w, h, predicate):
        return sum(1 for j in range(h) for i in range(w) if predicate(self.pixel(x + i, y + j)))


def is_white(p):
    return p == (255, 255, 255)


def is_dark(p):
    return max(p) < 80


def read_ppm(data):
    # P6 header: magic, width, height, maxval, each separated by whitespace.
    parts = []
    i = 0
    while len(parts) < 4:
        while data[i:i + 1].isspace():
            i += 1
        j = i
        while not data[j:j + 1].isspace():
            j += 1
        parts.append(data[i:j])
        i = j
    i += 1
    return Image(int(parts[1]), int(parts[2]), data[i:])


def read_bmp(path):
    """A 24-bit bottom-up BMP as rows of (r, g, b)."""
    with open(path, "rb") as f:
        data = f.read()
    offset = int.from_bytes(data[10:14], "little")
    width = int.from_bytes(data[18:22], "little", signed=True)
    height = int.from_bytes(data[22:26], "little", signed=True)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        source_row = abs(height) - 1 - y if height > 0 else y
        base = offset + source_row * stride
        rows.append([(data[base + 3 * x + 2], data[base + 3 * x + 1], data[base + 3 * x])
                     for x in range(width)])
    return rows


def bitmap(number):
    return read_bmp(os.path.join(ROOT, "resources", "bitmaps", f"{number}.bmp"))


class Session:
    def __init__(self, binary, extra_env=None, screen="1024x768x24"):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", screen, "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read_fd, 16)
            if not chunk:
                raise RuntimeError("Xvfb did not start")
            number += chunk
        os.close(read_fd)
        self.env = dict(os.environ, DISPLAY=":" + number.decode().strip())
        self.env.pop("QT_QPA_PLATFORM", None)
        self.env.pop("WAYLAND_DISPLAY", None)
        if extra_env:
            self.env.update(extra_env)
        self.started = time.monotonic()
        # The game's output goes to a file: a pipe nobody reads would block the
        # game once full, and a sanitizer's report must be there to read.
        self.output = tempfile.TemporaryFile()
        self.game = subprocess.Popen([binary], env=self.env, stdout=self.output,
                                     stderr=subprocess.STDOUT)

    def run(self, *command, check=True):
        return subprocess.run(command, env=self.env, check=check, capture_output=True,
                              text=True).stdout

    def windows(self, name):
        # xdotool matches names without regard to case; keep exact ones.
        out = self.run("xdotool", "search", "--onlyvisible", "--name", f"^{name}$", check=False)
        return [int(w) for w in out.split()
                if self.run("xdotool", "getwindowname", w, check=False).strip() == name]

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
        out = self.run("xdotool", "getwindowgeometry", "--shell", str(window))
        values = dict(line.split("=") for line in out.split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def focus(self, window):
        self.run("xdotool", "windowfocus", "--sync", str(window), check=False)

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

    def screenshot(self, path=None):
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env, check=True,
                              capture_output=True).stdout
        if path:
            subprocess.run(["convert", "ppm:-", path], input=data, check=True)
        return read_ppm(data)

    def wait_screen(self, predicate, timeout=5.0):
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
        """The title, text and buttons of a message box, as it copies them."""
        self.key(window, "ctrl+c")
        deadline = time.monotonic() + 3
        while time.monotonic() < deadline:
            out = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=self.env,
                                 capture_output=True, text=True)
            if out.returncode == 0 and out.stdout:
                return out.stdout
            time.sleep(0.05)
        raise AssertionError("the message box copied nothing")

    def close_request(self, window):
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
        self.output.seek(0)
        return self.output.read().decode(errors="replace")

    def close(self):
        for process in (self.game, self.xvfb):
            if process.poll() is None:
                process.kill()
                process.wait()
        self.output.close()


SANITIZER_MARKS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:")


def main(test, failure_picture="klobbet-failure.png", **session_options):
    """Runs test(session) against the binary named on the command line; a
    sanitizer report in the game's output fails it too."""
    session = Session(sys.argv[1], **session_options)
    try:
        test(session)
        output = session.game_output()
        assert not any(mark in output for mark in SANITIZER_MARKS), "the game reported a fault"
    except Exception:
        try:
            session.screenshot(os.path.join(os.environ.get("TMPDIR", "/tmp"), failure_picture))
        finally:
            print("The game's output:\n" + session.game_output(), file=sys.stderr)
        raise
    finally:
        session.close()
    print("ok")
