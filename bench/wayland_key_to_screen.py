"""Key to screen under weston: the game and its floor each on a weston of
their own, nested in one private Xvfb as the desktop tests run it (X11
backend, pixman), side by side and taking turns as on bare X.

How a key and a frame are seen: the probe presses the key through XTEST
into weston's X11 window, which has the X focus, so weston reads it as its
keyboard's and sends it to the client it has focused (the only one on that
weston); the client draws and commits, weston composes its next frame and
puts it into that X11 window, which the probe sees as the window's first
DAMAGE after the release. So the time counts weston's own part too: reading
the key, and waiting for its frame clock, which repaints an idle output
only a refresh minus its repaint window after the commit. A weston of its
own for each program keeps their frames apart: each X11 window shows one
program's changes only, and neither covers the other."""

import os
import re
import shutil
import subprocess
import tempfile
import time

from display import Display
from key_to_screen import play_in_turns
from match_test import Screen  # the Xvfb tests' reading of the window
from processes import BenchError, finish, start
from sessions import wait_screen

OUTPUT = (800, 700)  # each weston's output: room for a whole window, placed anywhere in it
SCREEN = "1600x700x24"  # both westons side by side
FIELD_BORDER = b"\0" * (3 * 657)  # the top edge of the game's playing field, black


class NestedWeston:
    """weston on Xvfb, its window moved to `left`; clients get env."""

    def __init__(self, display, name, left):
        self.runtime = tempfile.mkdtemp(prefix="klobbet-bench-weston-")
        self.log_path = os.path.join(self.runtime, "weston.log")
        config = os.path.join(self.runtime, "weston.ini")
        with open(config, "w") as ini:
            ini.write("[shell]\npanel-position=none\nbackground-color=0xff336699\n"
                      "animation=none\nclose-animation=none\nstartup-animation=none\n"
                      "focus-animation=none\n")
        started = time.monotonic_ns()
        with open(self.log_path, "w") as log:
            self.process = start(
                ["weston", f"--config={config}", "--backend=x11-backend.so", "--use-pixman",
                 f"--socket={name}", f"--width={OUTPUT[0]}", f"--height={OUTPUT[1]}",
                 "--idle-time=0"],
                env=dict(display.env, XDG_RUNTIME_DIR=self.runtime), stdout=log,
                stderr=subprocess.STDOUT)
        _, self.window = display.wait_map("Weston Compositor - screen0", started, self.process)
        deadline = time.monotonic() + 15
        while not os.path.exists(os.path.join(self.runtime, name)):
            if time.monotonic() > deadline or self.process.poll() is not None:
                raise BenchError("weston did not start:\n" + open(self.log_path).read())
            time.sleep(0.02)
        display.run("xdotool", "windowmove", "--sync", str(self.window), str(left), "0")
        self.left = left
        self.env = dict(display.env, XDG_RUNTIME_DIR=self.runtime, WAYLAND_DISPLAY=name,
                        QT_QPA_PLATFORM="wayland", XDG_SESSION_TYPE="wayland")
        self.env.pop("DISPLAY")

    def repaint_window_ms(self):
        found = re.search(r"repaint window is (\d+) ms", open(self.log_path).read())
        return int(found.group(1)) if found else None

    def close(self):
        finish(self.process)
        shutil.rmtree(self.runtime, ignore_errors=True)


def field_origin(shot, left):
    """The client area's corner of the game window on the weston whose X11
    window starts at `left`, found by its field's top border; or None."""
    row_bytes = 3 * shot.width
    for y in range(OUTPUT[1]):
        row = shot.pixels[y * row_bytes:(y + 1) * row_bytes]
        at = row.find(FIELD_BORDER, 3 * left, 3 * (left + OUTPUT[0]))
        while at >= 0:
            end = at + len(FIELD_BORDER)
            if at % 3 == 0 and row[at - 3:at] != b"\0\0\0" and row[end:end + 3] != b"\0\0\0":
                return at // 3 - 32, y - 16
            at = row.find(FIELD_BORDER, at + 1, 3 * (left + OUTPUT[0]))
    return None


def measure(build, game, floor_binary, matches):
    """Milliseconds from key release to weston's first frame with the
    change: (game, floor, weston's repaint window in ms)."""
    display = Display(build, screen=SCREEN)
    westons, processes = [], []

    def click(x, y):
        display.click(x, y)
        # weston keeps drawing its pointer where it last saw it: into the
        # output's far corner, where no window shows anything read.
        left = 0 if x < OUTPUT[0] else OUTPUT[0]
        display.run("xdotool", "mousemove", str(left + OUTPUT[0] - 2), str(OUTPUT[1] - 2))

    try:
        for name, left in (("klobbet-game", 0), ("klobbet-floor", OUTPUT[0])):
            westons.append(NestedWeston(display, name, left))
        game_weston, floor_weston = westons
        # Each weston's pointer, from where it starts, into its far corner.
        for left in (0, OUTPUT[0]):
            display.run("xdotool", "mousemove", "--sync", str(left + OUTPUT[0] - 2),
                        str(OUTPUT[1] - 2))
        quiet = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}
        processes.append(start([floor_binary], env=floor_weston.env, **quiet))
        processes.append(start([game], env=game_weston.env, **quiet))
        # No map events to wait for: Return until the start-up box has gone
        # and the window is up (on the window, "Jouer" takes no Return).
        for attempt in range(6):
            time.sleep(1.0)
            display.press(game_weston.window, "Return")
            try:
                shot = wait_screen(display, lambda s: field_origin(s, 0) is not None,
                                   "the game's window under weston", timeout=2)
                break
            except BenchError:
                if attempt == 5:
                    raise
        screen = Screen(field_origin(shot, 0))
        wait_screen(display, screen.play_enabled, "the 'Jouer' button")
        shot = wait_screen(display, lambda s: field_origin(s, OUTPUT[0]) is not None,
                           "the floor's window under weston", timeout=10)
        # weston gives a new window its keyboard only while its own X11
        # window has the focus: a click gives it.
        floor_x, floor_y = field_origin(shot, OUTPUT[0])
        click(floor_x + 360, floor_y + 230)
        game_ms, floor_ms = play_in_turns(
            display, screen, lambda key: display.key_to_screen(game_weston.window, key),
            lambda: display.key_to_screen(floor_weston.window, "q"), matches, click)
        return game_ms, floor_ms, game_weston.repaint_window_ms()
    except BenchError as error:
        path = os.path.join(build, "bench-failure-wayland.png")
        display.save_screenshot(path)
        raise BenchError(f"{error} (key to screen under weston; the screen is in {path})") \
            from error
    finally:
        for process in reversed(processes):
            finish(process)
        for weston in reversed(westons):
            weston.close()
        finish(display.probe)
        finish(display.xvfb)
