"""The Windows game under Wine, on Xvfb with openbox (as its tests run it):
start-up against the floor program built the same way, in turns, and the
size of klobbet.exe. Wine starts a program far more slowly than Linux does,
so the floor, started the same way in the same run, is what the game's
figure is read against."""

import os
import statistics
import subprocess
import sys
import time

import desktops  # the Xvfb tests' desktops, "wine" among them
from processes import BenchError, finish, start


def _visible(env, name):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{name}$"], env=env,
                         capture_output=True, text=True).stdout
    return out.split()


def _wait_visible(env, name, since, process, timeout=30.0):
    """Milliseconds from `since` (monotonic ns) to a window of that title shown."""
    deadline = time.monotonic() + timeout
    while True:
        found = _visible(env, name)
        if found:
            return (time.monotonic_ns() - since) / 1e6, found[0]
        if process.poll() is not None:
            raise BenchError(f"{process.args[-1]} exited ({process.returncode}) before '{name}'")
        if time.monotonic() > deadline:
            raise BenchError(f"no window '{name}' within {timeout} s under Wine")
        time.sleep(0.005)


def _once(env, wine_env, command):
    started = time.monotonic_ns()
    process = start(command, env=wine_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        box_ms, box = _wait_visible(env, "Klobbet :", started, process)
        time.sleep(0.3)
        subprocess.run(["xdotool", "windowfocus", "--sync", box, "key", "Return"], env=env,
                       check=True)
        pressed = time.monotonic_ns()
        window_ms, _ = _wait_visible(env, "Klobbet", pressed, process)
        return box_ms, window_ms
    finally:
        finish(process)


def measure(game, floor, prefix, rounds):
    """Medians of both phases, in milliseconds, for the game and the floor."""
    here = os.path.dirname(os.path.abspath(__file__))
    subprocess.run([sys.executable, os.path.join(here, "..", "tests", "wine", "prefix.py"), prefix],
                   check=True)
    xvfb = start(["Xvfb", f":{desktops.free_display()}", "-screen", "0", "1024x768x24",
                  "-nolisten", "tcp", "-noreset"], stdout=subprocess.DEVNULL,
                 stderr=subprocess.DEVNULL)
    env = dict(os.environ, DISPLAY=xvfb.args[1])
    time.sleep(1)
    os.environ["KLOBBET_WINEPREFIX"] = prefix
    desktop = desktops.Wine(env, 1024, 768)
    try:
        wine_env = desktop.game_env(env)
        programs = {"game": ["wine", game], "floor": ["wine", floor, "--size", "720x612"]}
        for command in programs.values():  # Wine's own start, and the page cache
            _once(env, wine_env, command)
        samples = {name: ([], []) for name in programs}
        for i in range(rounds):
            for name in (("game", "floor") if i % 2 == 0 else ("floor", "game")):
                box, window = _once(env, wine_env, programs[name])
                samples[name][0].append(box)
                samples[name][1].append(window)
    finally:
        desktop.close()
        finish(xvfb)
    return {name: (statistics.median(b), statistics.median(w))
            for name, (b, w) in samples.items()}


def size_kib(game):
    return os.path.getsize(game) / 1024
