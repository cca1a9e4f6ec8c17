#!/usr/bin/env python3
"""Measures the game against its floors and prints one table.

Usage: run_bench.py BUILD_DIR [--rounds N] [--sessions N] [--quick]

Everything that needs a screen runs on one private Xvfb started here with
-displayfd, with no window manager: top-level windows are the root's own
children, so a probe watching the root (x_probe) stamps the moment each one is
mapped. Keys and clicks go through xdotool, screenshots through ImageMagick,
as a player's would.

Exit status: 0 when every target is met, 3 when the table shows a miss, 1
when the bench itself could not measure (with the reason on stderr).
"""

import argparse
import json
import os
import platform
import select
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

sys.dont_write_bytecode = True  # no caches left in the source tree
HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, "tests", "xvfb"))
from xsession import read_ppm  # noqa: E402  the Xvfb tests' own image helpers
from match_test import LEFT_KEYS, Screen  # noqa: E402  and their reading of the window

CLIENT_HEIGHT = 593  # the window's client area below its menu bar
CLK_TCK = os.sysconf("SC_CLK_TCK")


class BenchError(Exception):
    """The bench could not measure: the message says what went wrong."""


# --- Processes ---------------------------------------------------------------

_started = []  # every process this run started, ended on the way out


def start(command, **kwargs):
    try:
        process = subprocess.Popen(command, **kwargs)
    except OSError as error:
        raise BenchError(f"cannot start {command[0]}: {error}") from error
    _started.append(process)
    return process


def end(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=3)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def end_all():
    for process in reversed(_started):
        end(process)
    _started.clear()


def wait_exit(process, timeout):
    """Waits for the process to exit; returns its peak resident size in KiB
    as the kernel kept it (ru_maxrss)."""
    deadline = time.monotonic() + timeout
    while True:
        pid, status, usage = os.wait4(process.pid, os.WNOHANG)
        if pid == process.pid:
            process.returncode = os.waitstatus_to_exitcode(status)
            _started.remove(process)
            return usage.ru_maxrss
        if time.monotonic() > deadline:
            raise BenchError(f"{os.path.basename(process.args[0])} did not exit within {timeout} s")
        time.sleep(0.01)


def cpu_seconds(pid):
    """User plus system time of the whole process, every thread included."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLK_TCK  # utime, stime


def peak_resident_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise BenchError(f"no VmHWM for process {pid}")


# --- The display ---------------------------------------------------------------

class Display:
    """A private Xvfb and a probe that timestamps every window it maps and
    presses keys."""

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
        self.presses = []
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
                elif parts[0] == "pressed":
                    self.presses.append(int(parts[1]))
                else:
                    self.presses.append(line.strip())
                self.changed.notify_all()

    KEYSYMS = {"Return": 0xFF0D, "Left": 0xFF51}

    def press(self, window, key):
        """Focuses the window and presses the key; returns when the server
        handled the press, on the monotonic clock in nanoseconds."""
        with self.changed:
            count = len(self.presses)
            self.probe.stdin.write(f"press {window} {self.KEYSYMS[key]:x}\n")
            self.probe.stdin.flush()
            if not self.changed.wait_for(lambda: len(self.presses) > count, timeout=5):
                raise BenchError("the X probe did not press the key")
            answer = self.presses[count]
        if not isinstance(answer, int):
            raise BenchError(f"the X probe could not press {key}: {answer}")
        return answer

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


# --- 1. Key handling ---------------------------------------------------------

def key_handling(build, quick):
    repetitions, min_time = (3, "0.1") if quick else (9, "0.3")
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        result = subprocess.run(
            [os.path.join(build, "bench", "klobbet_bench_keys"),
             f"--benchmark_repetitions={repetitions}", f"--benchmark_min_time={min_time}",
             "--benchmark_report_aggregates_only=true",
             f"--benchmark_out={out.name}", "--benchmark_out_format=json"],
            env=dict(os.environ, QT_QPA_PLATFORM="offscreen"), capture_output=True, text=True)
        if result.returncode != 0:
            raise BenchError(f"the key benchmark failed: {result.stderr.strip()}")
        report = json.load(open(out.name))
    medians = {}
    for entry in report["benchmarks"]:
        if entry.get("aggregate_name") == "median":
            scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3}[entry["time_unit"]]
            medians[entry["run_name"]] = entry["real_time"] * scale
    return medians, repetitions


# --- 2. Start-up -------------------------------------------------------------

def start_up_once(display, command):
    """Process start to the message box mapped, and Return to the window
    mapped, in milliseconds; the program is then ended."""
    started = time.monotonic_ns()
    process = start(command, env=display.env, stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
    try:
        box_at, box = display.wait_map("Klobbet :", started, process)
        time.sleep(0.3)  # the box settles: what is timed next starts at the key
        pressed = display.press(box, "Return")
        window_at, window = display.wait_map("Klobbet", pressed, process)
        _, _, width, height = display.geometry(window)
        return (box_at - started) / 1e6, (window_at - pressed) / 1e6, (width, height)
    finally:
        end(process)
        _started.remove(process)


def start_up(display, game, floor_binary, rounds):
    """Medians and samples of both phases for the game and for the floor.
    One unmeasured run of each warms the page cache; the first also gives
    the game's window size, which the floor then takes."""
    _, _, (width, height) = start_up_once(display, [game])
    floor = [floor_binary, "--size", f"{width}x{height}"]
    start_up_once(display, floor)
    samples = {"game": ([], []), "floor": ([], [])}
    for i in range(rounds):
        order = ("game", "floor") if i % 2 == 0 else ("floor", "game")
        for name in order:
            box, shown, _ = start_up_once(display, [game] if name == "game" else floor)
            samples[name][0].append(box)
            samples[name][1].append(shown)
    medians = {name: (statistics.median(b), statistics.median(w))
               for name, (b, w) in samples.items()}
    return medians, samples, floor


# --- 3 and 4. A whole session of the real game -------------------------------

def wait_screen(display, predicate, what, timeout=5.0):
    deadline = time.monotonic() + timeout
    while True:
        shot = display.screenshot()
        if predicate(shot):
            return shot
        if time.monotonic() > deadline:
            raise BenchError(f"the screen never showed {what} within {timeout} s")
        time.sleep(0.02)


def share_over(pid, seconds, action):
    """CPU time over wall time of the process, from just before `action`
    until `seconds` after it began."""
    cpu_before, began = cpu_seconds(pid), time.monotonic()
    action()
    time.sleep(max(0.0, began + seconds - time.monotonic()))
    cpu_after, ended = cpu_seconds(pid), time.monotonic()
    return (cpu_after - cpu_before) / (ended - began)


def game_session(display, game, send_close):
    """Start-up, one match the left player wins by reading the screen, and
    quitting by the close box: CPU shares of the countdown and the finale,
    and the session's peak resident size."""
    started = time.monotonic_ns()
    process = start([game], env=display.env, stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
    _, box = display.wait_map("Klobbet :", started, process)
    time.sleep(0.3)
    display.key(box, "Return")
    _, window = display.wait_map("Klobbet", started, process)
    x, y, _, height = display.geometry(window)
    screen = Screen((x, y + height - CLIENT_HEIGHT))
    wait_screen(display, screen.play_enabled, "the 'Jouer' button")
    display.run("xdotool", "windowfocus", "--sync", str(window))

    countdown = share_over(process.pid, 3.0,
                           lambda: display.click(screen.cx + 344, screen.cy + 556))
    # The legend comes when the countdown ends, so the 3 s measured were the
    # countdown's only if it shows right after them.
    shot = wait_screen(display, lambda s: screen.legend_shift(s) is not None,
                       "the legend right after the countdown", timeout=1.0)
    shift = screen.legend_shift(shot)

    for progress in range(1, 21):
        if progress > 1:
            shot = wait_screen(display, lambda s, p=progress: screen.left_candle_at(s, p),
                               f"the left tower at position {progress}")
        try:
            symbol = screen.left_symbol(shot)
        except AssertionError:  # no known symbol in the box
            symbol = None
        if symbol is None or not 0 <= symbol - shift < 4:
            raise BenchError(f"cannot read the left symbol at position {progress}")
        key = LEFT_KEYS[symbol - shift]
        if progress < 20:
            display.run("xdotool", "key", "--delay", "0", key)
        else:
            finale = share_over(process.pid, 6.45,
                                lambda k=key: display.run("xdotool", "key", "--delay", "0", k))
    wait_screen(display, screen.play_enabled, "'Jouer' back after the finale", timeout=3)

    display.run(send_close, str(window))
    _, question = display.wait_map("Sale Battard !", started, process)
    time.sleep(0.1)
    display.key(question, "Left", "Return")  # from "Non" to "Oui"
    _, parting = display.wait_map("Pauvre con", started, process)
    time.sleep(0.1)
    peak = peak_resident_kib(process.pid)  # the last moment before it ends
    display.key(parting, "Return")
    maxrss = wait_exit(process, 10)
    if process.returncode != 0:
        raise BenchError(f"the game exited with status {process.returncode} after quitting")
    return {"countdown": countdown, "finale": finale, "hwm": peak, "maxrss": maxrss}


def floor_session(display, floor, send_close):
    """The floor's whole life: its box, its window idle for 3 s, closed."""
    started = time.monotonic_ns()
    process = start(floor, env=display.env, stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
    _, box = display.wait_map("Klobbet :", started, process)
    time.sleep(0.3)
    display.key(box, "Return")
    _, window = display.wait_map("Klobbet", started, process)
    time.sleep(0.3)
    idle = share_over(process.pid, 3.0, lambda: None)
    peak = peak_resident_kib(process.pid)
    display.run(send_close, str(window))
    maxrss = wait_exit(process, 10)
    return {"idle": idle, "hwm": peak, "maxrss": maxrss}


# --- 5. Timing truth -----------------------------------------------------------

def timing(display, build, matches):
    result = subprocess.run(
        [os.path.join(build, "bench", "klobbet_bench_timing"), "--matches", str(matches)],
        env=display.env, capture_output=True, text=True, timeout=240)
    if result.returncode != 0:
        raise BenchError(f"the timing bench failed: {result.stderr.strip()}")
    return json.loads(result.stdout)


# --- The table -----------------------------------------------------------------

def percentile(values, share):
    ordered = sorted(values)
    index = min(len(ordered) - 1, max(0, int(round(share * (len(ordered) - 1)))))
    return ordered[index]


class Table:
    def __init__(self):
        self.rows = []
        self.misses = []

    def add(self, figure, measured, floor="", ratio="", target="", met=None):
        verdict = "" if met is None else ("ok" if met else "MISSED")
        if met is False:
            self.misses.append(figure)
        self.rows.append((figure, measured, floor, ratio, target, verdict))

    def section(self, title):
        self.rows.append((title,))

    def print(self, header):
        widths = [52, 18, 18, 10, 12, 6]
        titles = ("figure", "measured", "floor", "ratio", "target", "")
        line = "-" * (sum(widths) + 2 * (len(widths) - 1))
        print(header)
        print(line)
        print("  ".join(t.ljust(w) for t, w in zip(titles, widths)).rstrip())
        for row in self.rows:
            if len(row) == 1:
                print(line if not row[0] else f"{row[0]}")
                continue
            print("  ".join(str(cell).ljust(w) for cell, w in zip(row, widths)).rstrip())
        print(line)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--rounds", type=int, default=10, help="start-up runs of each program")
    parser.add_argument("--sessions", type=int, default=2, help="whole game sessions")
    parser.add_argument("--matches", type=int, default=2, help="counted matches in the timing run")
    parser.add_argument("--quick", action="store_true", help="fewer repetitions, for a try-out")
    args = parser.parse_args()
    if args.quick:
        args.rounds, args.sessions, args.matches = 3, 1, 1

    build = os.path.abspath(args.build)
    game = os.path.join(build, "klobbet")
    send_close = os.path.join(build, "tests", "klobbet_send_close")
    floor_binary = os.path.join(build, "bench", "klobbet_bench_floor")
    for path in (game, send_close, floor_binary):
        if not os.access(path, os.X_OK):
            raise BenchError(f"{path} is missing: build it first (scripts/bench does)")

    began = time.monotonic()

    def progress(text):
        print(f"[{time.monotonic() - began:5.1f} s] {text}", file=sys.stderr, flush=True)

    progress("key handling (Google Benchmark)")
    keys, repetitions = key_handling(build, args.quick)

    display = Display(build)
    try:
        progress(f"start-up, {args.rounds} runs of the game and of the floor, interleaved")
        starts, start_samples, floor = start_up(display, game, floor_binary, args.rounds)

        progress("timing on the real window and clock")
        truth = timing(display, build, args.matches)

        sessions, floors = [], []
        for i in range(args.sessions):
            progress(f"whole session {i + 1} of {args.sessions}: start-up, a match, quit")
            sessions.append(game_session(display, game, send_close))
            progress(f"floor session {i + 1} of {args.sessions}")
            floors.append(floor_session(display, floor, send_close))
    except BenchError:
        path = os.path.join(build, "bench-failure.png")
        display.save_screenshot(path)
        print(f"bench: the screen at the failure is in {path}", file=sys.stderr)
        raise
    progress("done")

    table = Table()
    table.section("1. Key handling: median of "
                  f"{repetitions} repetitions, Google Benchmark, double window, real bitmaps")
    for name, label in (("BM_CorrectKey", "Picture1_KeyUp, correct key"),
                        ("BM_WrongKey", "Picture1_KeyUp, wrong key"),
                        ("BM_CandleGauge/wiped:0", "drawCandleGauge, lit"),
                        ("BM_CandleGauge/wiped:1", "drawCandleGauge, wiped")):
        micros = keys[name]
        key_figure = name in ("BM_CorrectKey", "BM_WrongKey")
        table.add(label, f"{micros:.2f} us", target="< 50 us" if key_figure else "",
                  met=micros < 50 if key_figure else None)

    table.section(f"2. Start-up: median of {args.rounds} runs each, interleaved, Xvfb")
    for index, label in ((0, "process start -> 'Klobbet :' box mapped"),
                         (1, "Return -> 'Klobbet' window mapped")):
        game_ms, floor_ms = starts["game"][index], starts["floor"][index]
        ratio = game_ms / floor_ms
        table.add(label, f"{game_ms:.1f} ms", f"{floor_ms:.1f} ms", f"{ratio:.2f}x", "<= 1.2x",
                  ratio <= 1.2)

    table.section(f"3. Waits: CPU share of the real game, {args.sessions} session(s), worst")
    countdown = max(s["countdown"] for s in sessions)
    finale = max(s["finale"] for s in sessions)
    idle = max(f["idle"] for f in floors)
    table.add("CPU, countdown (3 s from the click)", f"{countdown * 100:.2f} %",
              f"{idle * 100:.2f} % idle", "", "< 2 %", countdown < 0.02)
    table.add("CPU, finale (6.45 s from the winning key)", f"{finale * 100:.2f} %",
              f"{idle * 100:.2f} % idle", "", "< 2 %", finale < 0.02)
    costs = truth["pause_costs"]
    table.add("CPU, the game's pause alone (2 s, in-process)", f"{costs['pause'] * 100:.2f} %",
              f"{costs['sleep'] * 100:.2f} % 1ms-naps", f"{costs['pause'] / costs['sleep']:.2f}x")
    lateness = [d["lateness"] * 1000 for d in truth["deadlines"]]
    gaps = [g * 1000 for g in truth["gaps"]]
    p99 = percentile(lateness, 0.99)
    table.add(f"wait lateness p99 ({len(lateness)} deadlines)", f"{p99:.2f} ms",
              target="< 2 ms", met=p99 < 2)
    table.add("wait lateness, median / max", f"{statistics.median(lateness):.2f} / "
              f"{max(lateness):.2f} ms")
    table.add(f"pause between readings p50/p99 ({len(gaps)})",
              f"{percentile(gaps, 0.5):.2f} / {percentile(gaps, 0.99):.2f} ms")

    table.section(f"4. Memory: peak resident (VmHWM), whole session, worst of {args.sessions}")
    hwm = max(s["hwm"] for s in sessions)
    floor_hwm = max(f["hwm"] for f in floors)
    excess = (hwm - floor_hwm) / 1024
    table.add("start-up, a won match, quit", f"{hwm / 1024:.1f} MiB", f"{floor_hwm / 1024:.1f} MiB",
              f"{excess:+.1f} MiB", "<= +4 MiB", excess <= 4)

    table.section("5. Timing truth: real window, real clock, Xvfb")
    countdown_seen = truth["countdown"]
    for key, label, expected in (("digit2", "countdown shows 2 (from 3 drawn)", 1.0),
                                 ("digit1", "countdown shows 1 (from 3 drawn)", 2.0),
                                 ("end", "countdown ends (from 3 drawn)", 3.0)):
        seconds = countdown_seen[key]
        error = (seconds - expected) * 1000
        table.add(label, f"{seconds:.4f} s", "", f"{error:+.1f} ms", "+-20 ms", abs(error) <= 20)
    stuns = truth["stuns"]
    worst = max(stuns, key=lambda s: abs(s - 2.0))
    error = (worst - 2.0) * 1000
    table.add(f"stun, key to its end (worst of {len(stuns)})", f"{worst:.4f} s", "",
              f"{error:+.1f} ms", "+-20 ms", abs(error) <= 20)
    error = (truth["finale"] - 6.4) * 1000
    table.add("finale, winning key to return", f"{truth['finale']:.4f} s", "", f"{error:+.1f} ms",
              "+-20 ms", abs(error) <= 20)
    for i, counted in enumerate(truth["finales_counted"]):
        schedule = "steps re-read" if counted["fresh_starts"] else "one origin"
        table.add(f"  counted finale {i + 1} ({schedule}): drawing, lead-in",
                  f"{counted['total']:.4f} s",
                  f"{counted['drawing'] * 1000:.1f}, {counted['before_first_step'] * 1000:.1f} ms",
                  f"{(counted['total'] - 6.4) * 1000:+.1f} ms")

    header = (f"Klobbet bench: Release build, {os.cpu_count()} cores, {platform.machine()}, "
              f"display {truth['platform']}, {time.strftime('%Y-%m-%d %H:%M:%S')}, "
              f"load {os.getloadavg()[0]:.2f}")
    table.print(header)
    raw = {"keys_us": keys, "start_up_ms": start_samples, "sessions": sessions,
           "floor_sessions": floors, "timing": truth}
    with open(os.path.join(build, "bench-results.json"), "w") as f:
        json.dump(raw, f)
    if table.misses:
        print(f"{len(table.misses)} target(s) missed: " + "; ".join(table.misses))
        return 3
    print("every target met")
    return 0


def _stop(signum, _frame):
    raise KeyboardInterrupt(f"signal {signum}")


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, _stop)
    try:
        sys.exit(main())
    except BenchError as error:
        print(f"bench: {error}", file=sys.stderr)
        sys.exit(1)
    except KeyboardInterrupt:
        print("bench: interrupted", file=sys.stderr)
        sys.exit(130)
    finally:
        end_all()
