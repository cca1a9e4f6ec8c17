#!/usr/bin/env python3
"""Measures the game against its floors and prints one table.

Usage: run_bench.py BUILD_DIR [--rounds N] [--sessions N] [--matches N]
                              [--screen-matches N] [--quick]

Everything that needs a screen runs on a private Xvfb started here with
-displayfd, with no window manager: top-level windows are the root's own
children, so a probe watching the root (x_probe) stamps the moment each one is
mapped, and times a key sent through XTEST to the window's first damage. Other
keys and clicks go through xdotool, screenshots through ImageMagick, as a
player's would. Key to screen is also taken under weston, nested in a
private Xvfb of its own (see wayland_key_to_screen).

Exit status: 0 when every target is met, 3 when the table shows a miss, 1
when the bench itself could not measure (with the reason on stderr).
"""

import argparse
import json
import os
import platform
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no caches left in the source tree
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "tests", "xvfb"))
import key_to_screen  # noqa: E402
import wayland_key_to_screen  # noqa: E402
from display import Display  # noqa: E402
from processes import BenchError, end_all  # noqa: E402
from sessions import floor_session, game_session, start_up  # noqa: E402
from table import fill, windows  # noqa: E402


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


def timing(display, build, matches, short_waits):
    result = subprocess.run(
        [os.path.join(build, "bench", "klobbet_bench_timing"), "--matches", str(matches),
         "--short-waits", str(short_waits)],
        env=display.env, capture_output=True, text=True, timeout=240)
    if result.returncode != 0:
        raise BenchError(f"the timing bench failed: {result.stderr.strip()}")
    return json.loads(result.stdout)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    # Sized so that two runs in a row give the same verdict: one slow start
    # moves a median of ten.
    parser.add_argument("--rounds", type=int, default=30, help="start-up runs of each program")
    parser.add_argument("--sessions", type=int, default=2, help="whole game sessions")
    parser.add_argument("--matches", type=int, default=2, help="counted matches in the timing run")
    parser.add_argument("--screen-matches", type=int, default=12,
                        help="matches played for the key-to-screen figure")
    parser.add_argument("--quick", action="store_true", help="fewer repetitions, for a try-out")
    parser.add_argument("--windows", help="the Windows build (build/windows), to time under Wine")
    args = parser.parse_args()
    if args.quick:
        args.rounds, args.sessions, args.matches, args.screen_matches = 3, 1, 1, 1

    build = os.path.abspath(args.build)
    game = os.path.join(build, "klobbet")
    send_close = os.path.join(build, "tests", "klobbet_send_close")
    floor_binary = os.path.join(build, "bench", "klobbet_bench_floor")
    floor_repaint = os.path.join(build, "bench", "klobbet_bench_floor_repaint")
    for path in (game, send_close, floor_binary, floor_repaint):
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
        truth = timing(display, build, args.matches, 40 if args.quick else 400)

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
    end_all()

    progress(f"key to screen, {args.screen_matches} match(es), game and floor in turns")
    key_screen = key_to_screen.measure(build, game, floor_repaint, args.screen_matches)
    progress(f"key to screen under weston, {args.screen_matches} match(es), in turns")
    wayland_screen = wayland_key_to_screen.measure(build, game, floor_repaint,
                                                   args.screen_matches)
    if args.windows:
        import windows_start_up
        progress(f"Windows under Wine, {args.rounds} runs of the game and of the floor")
        exe = os.path.join(args.windows, "klobbet.exe")
        windows_starts = windows_start_up.measure(
            exe, os.path.join(args.windows, "klobbet_bench_floor.exe"),
            os.path.join(build, "wineprefix"), args.rounds)
    progress("done")

    table = fill(args, keys, repetitions, starts, sessions, floors, truth, key_screen,
                 wayland_screen)
    if args.windows:
        windows(table, windows_starts, args.rounds, windows_start_up.size_kib(exe))
    header = (f"Klobbet bench: Release build, {os.cpu_count()} cores, {platform.machine()}, "
              f"display {truth['platform']}, {time.strftime('%Y-%m-%d %H:%M:%S')}, "
              f"load {os.getloadavg()[0]:.2f}")
    table.print(header)
    raw = {"keys_us": keys, "start_up_ms": start_samples, "sessions": sessions,
           "floor_sessions": floors, "timing": truth,
           "key_to_screen_ms": {"game": key_screen[0], "floor": key_screen[1]},
           "wayland_key_to_screen_ms": {"game": wayland_screen[0], "floor": wayland_screen[1],
                                        "repaint_window": wayland_screen[2]}}
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
