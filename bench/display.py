"""A private Xvfb and the X probe: the bench's screen, hands and clock."""

import os
import select
import subprocess
import threading
import time

from processes import BenchError, start
from xsession import read_ppm  # the Xvfb tests' own image helpers


class Display:
    """A private Xvfb and a probe that timestamps every window it maps,
    presses keys and times them to the screen."""

    def __init__(self, build, screen="1024x768x24"):
        read_fd, write_fd = os.pipe()
        self.xvfb = start(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", screen,
                           "-nolisten", "tcp", "-noreset"],
                          pass_fds=(write_fd,), stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        deadline = time.monotonic() + 15
        while not number.endswith(b"\n"):
            if not select.select([read_fd], [], [], max(0, deadline - time.monotonic()))[0]:
                raise BenchError("Xvfb gave no display number within 15 s")
            chunk = os.read(read_fd, 16)
            if not chunk:
                raise BenchError(f"Xvfb exited at start (status {self.xvfb.wait()})")
            number += chunk
        os.close(read_fd)
        self.env = dict(os.environ, DISPLAY=":" + number.decode().strip())
        for variable in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "QT_SCALE_FACTOR"):
            self.env.pop(variable, None)

        self.events = []
        self.answers = []
        self.changed = threading.Condition()
        self.probe = start([os.path.join(build, "bench", "klobbet_bench_xprobe")],
                           env=self.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        if self.probe.stdout.readline().strip() != "ready":
            raise BenchError("the X probe could not watch the display")
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.probe.stdout:
            parts = line.rstrip("\n").split(" ", 3)
            with self.changed:
                if parts[0] == "map":
                    self.events.append((int(parts[1]), int(parts[2]),
                                        parts[3] if len(parts) > 3 else ""))
                elif parts[0] in ("pressed", "latency"):
                    self.answers.append(int(parts[1]))
                else:
                    self.answers.append(line.strip())
                self.changed.notify_all()

    KEYSYMS = {"Return": 0xFF0D, "Left": 0xFF51, "Up": 0xFF52, "Right": 0xFF53, "Down": 0xFF54,
               **{letter: ord(letter) for letter in "qzds"}}

    def _ask(self, command, what, timeout=5):
        """Sends a command to the probe and returns its number."""
        with self.changed:
            count = len(self.answers)
            self.probe.stdin.write(command + "\n")
            self.probe.stdin.flush()
            if not self.changed.wait_for(lambda: len(self.answers) > count, timeout=timeout):
                raise BenchError(f"the X probe did not {what}")
            answer = self.answers[count]
        if not isinstance(answer, int):
            raise BenchError(f"the X probe could not {what}: {answer}")
        return answer

    def press(self, window, key):
        """Focuses the window and presses the key; returns when the server
        handled the press, on the monotonic clock in nanoseconds."""
        return self._ask(f"press {window} {self.KEYSYMS[key]:x}", f"press {key}")

    def key_to_screen(self, window, key, settle_ms=60):
        """Focuses the window, presses the key, waits `settle_ms`, releases
        it: nanoseconds from the release to the window's first damage."""
        return self._ask(f"latency {window} {self.KEYSYMS[key]:x} {settle_ms}",
                         f"time {key} to the screen")

    def wait_map(self, title, after_ns, process, timeout=15.0):
        """The (time, window) at which a window with this title was mapped
        after `after_ns`."""
        deadline = time.monotonic() + timeout
        with self.changed:
            while True:
                for at, window, name in self.events:
                    if name == title and at >= after_ns:
                        return at, window
                if process is not None and process.poll() is not None:
                    raise BenchError(f"{os.path.basename(process.args[0])} exited "
                                     f"({process.returncode}) before showing '{title}'")
                left = deadline - time.monotonic()
                if left <= 0:
                    raise BenchError(f"no window '{title}' within {timeout} s")
                self.changed.wait(min(left, 0.1))

    def run(self, *command):
        result = subprocess.run(command, env=self.env, capture_output=True, text=True)
        if result.returncode != 0:
            raise BenchError(f"{' '.join(command)} failed: {result.stderr.strip()}")
        return result.stdout

    def key(self, window, *keys):
        self.run("xdotool", "windowfocus", "--sync", str(window), "key", "--delay", "0", *keys)

    def click(self, x, y):
        # No --sync: it waits for the pointer to move, forever when it is
        # already there; the server handles the move before the click anyway.
        self.run("xdotool", "mousemove", str(x), str(y), "click", "1")

    def geometry(self, window):
        out = self.run("xdotool", "getwindowgeometry", "--shell", str(window))
        values = dict(line.split("=") for line in out.split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def screenshot(self):
        result = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                                env=self.env, capture_output=True)
        if result.returncode != 0:
            raise BenchError(f"screenshot failed: {result.stderr.decode().strip()}")
        return read_ppm(result.stdout)

    def save_screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.env, capture_output=True)
