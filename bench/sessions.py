"""Start-up, and whole sessions of the real game and of its floor: CPU
shares, peak memory."""

import os
import statistics
import subprocess
import time

from match_test import LEFT_KEYS, Screen  # the Xvfb tests' reading of the window
from processes import (BenchError, cpu_seconds, finish, peak_resident_kib, start, thread_usage,
                       wait_exit)

CLIENT_HEIGHT = 593  # the window's client area below its menu bar


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
        finish(process)


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


def usage_while(pid, action, seconds, lead_in=0.1, lead_out=0.05):
    """The process's CPU share and context switches per second while it
    waits: from `lead_in` after `action` has returned (the click or key that
    starts the wait has reached the server) until `lead_out` before the wait
    ends, `seconds` after. The drawing that comes before a wait is left out;
    the repaints it shows while it runs are in."""
    began = time.monotonic()
    action()
    time.sleep(max(0.0, began + lead_in - time.monotonic()))
    (cpu_before, switches_before), start_at = thread_usage(pid), time.monotonic()
    time.sleep(max(0.0, began + seconds - lead_out - time.monotonic()))
    (cpu_after, switches_after), end_at = thread_usage(pid), time.monotonic()
    span = end_at - start_at
    return {"share": (cpu_after - cpu_before) / 1e9 / span,
            "switches": (switches_after - switches_before) / span, "seconds": span}


def whole_and_wait(pid, seconds, wait_seconds, action):
    """share_over for the whole `seconds` from before the action, and
    usage_while for the wait inside them."""
    cpu_before, began = cpu_seconds(pid), time.monotonic()
    wait = usage_while(pid, action, wait_seconds)
    time.sleep(max(0.0, began + seconds - time.monotonic()))
    return (cpu_seconds(pid) - cpu_before) / (time.monotonic() - began), wait


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

    countdown, countdown_wait = whole_and_wait(
        process.pid, 3.0, 3.0, lambda: display.click(screen.cx + 344, screen.cy + 556))
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
            finale, finale_wait = whole_and_wait(
                process.pid, 6.45, 6.4,
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
    return {"countdown": countdown, "finale": finale, "countdown_wait": countdown_wait,
            "finale_wait": finale_wait, "hwm": peak, "maxrss": maxrss}


def floor_session(display, floor, send_close):
    """The floor's whole life: its box, its window idle for 3 s, its
    countdown (a click shows three digits a second apart, the repaints the
    game's countdown shows, and nothing else runs), closed."""
    started = time.monotonic_ns()
    process = start(floor, env=display.env, stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
    _, box = display.wait_map("Klobbet :", started, process)
    time.sleep(0.3)
    display.key(box, "Return")
    _, window = display.wait_map("Klobbet", started, process)
    time.sleep(0.3)
    idle = share_over(process.pid, 3.0, lambda: None)
    idle_wait = usage_while(process.pid, lambda: None, 3.0)
    peak = peak_resident_kib(process.pid)  # before the countdown's label exists
    x, y, width, height = display.geometry(window)
    digits = usage_while(process.pid, lambda: display.click(x + width // 2, y + height // 2), 3.0)
    time.sleep(0.2)
    display.run(send_close, str(window))
    maxrss = wait_exit(process, 10)
    return {"idle": idle, "idle_wait": idle_wait, "digits": digits, "hwm": peak,
            "maxrss": maxrss}
