"""Key to screen: from a key release sent through XTEST to the first DAMAGE
event of the window. The game gets correct keys of both players, each of
which changes the scene; its floor is a field-sized image that every key
release changes and repaints. The two take turns, a match of the game then
as many keys of the floor at the same pace (a screenshot, two keys), so the
focus moves between them only once a turn, on a display of their own wide
enough that neither window covers the other. A p99 is the third-largest of
some 300 keys: a few scheduling delays on a busy machine move it."""

import functools
import os
import subprocess

from display import Display
from match_test import LEFT_KEYS, Screen  # the Xvfb tests' reading of the window
from processes import BenchError, finish, start
from sessions import CLIENT_HEIGHT, wait_screen
from xsession import bitmap

RIGHT_KEYS = ["Left", "Up", "Right", "Down"]
LENGTH = 20  # directions in a match at the default length
SCREEN = "2048x768x24"  # the floor at the left edge, the game centred


@functools.lru_cache(maxsize=None)
def big_symbol(number):
    return bitmap(119 + number)


def box_symbol(screen, shot, left):
    """The big symbol number (1..8) shown in a player's box, or None."""
    at = (screen.cx + (97 if left else 513), screen.cy + 449)
    for number in range(1, 9):
        if screen.shows(shot, at, big_symbol(number)):
            return number
    return None


def play_in_turns(display, screen, game_key, floor_key, matches, click=None):
    """Milliseconds from key release to the screen, (game, floor): whole
    matches of the game's correct keys, each followed by as many of the
    floor's at the game's pace. `game_key(key)` and `floor_key()` give one
    key's nanoseconds; `click(x, y)` clicks on the screen."""
    click = click or display.click
    game_ms, floor_ms = [], []
    # A first match warms both programs up, as the start-up figures' first
    # runs do, and counts for neither.
    for match in range(matches + 1):
        if match == 1:
            game_ms.clear()
            floor_ms.clear()
        click(screen.cx + 344, screen.cy + 556)
        # The last match's legend stays up until the click has been handled.
        wait_screen(display, lambda s: screen.legend_shift(s) is None, "the countdown")
        shot = wait_screen(display, lambda s: screen.legend_shift(s) is not None,
                           "the legend after the countdown")
        shift = screen.legend_shift(shot)
        for position in range(1, LENGTH + 1):
            if position > 1:
                shot = display.screenshot()
            directions = [None if n is None else n - shift
                          for n in (box_symbol(screen, shot, True),
                                    box_symbol(screen, shot, False))]
            if not all(d in range(4) for d in directions):
                raise BenchError(f"cannot read the symbols at position {position}")
            game_ms.append(game_key(LEFT_KEYS[directions[0]]) / 1e6)  # the 20th ends the match
            if position < LENGTH:
                game_ms.append(game_key(RIGHT_KEYS[directions[1]]) / 1e6)
        # The floor's keys come at the game's pace: a screenshot, two keys.
        for i in range(len(game_ms) - len(floor_ms)):
            if i % 2 == 0:
                display.screenshot()
            floor_ms.append(floor_key() / 1e6)
        wait_screen(display, screen.play_enabled, "'Jouer' back after the finale", timeout=9)
    return game_ms, floor_ms


def measure(build, game, floor_binary, matches):
    """Milliseconds from key release to first damage: (game, floor), as
    many of each."""
    display = Display(build, screen=SCREEN)
    quiet = {"env": display.env, "stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}
    processes = []
    try:
        floor = start([floor_binary], **quiet)
        processes.append(floor)
        _, floor_window = display.wait_map("Klobbet floor", 0, floor)
        game_process = start([game], **quiet)
        processes.append(game_process)
        _, box = display.wait_map("Klobbet :", 0, game_process)
        display.key(box, "Return")
        _, window = display.wait_map("Klobbet", 0, game_process)
        x, y, _, height = display.geometry(window)
        screen = Screen((x, y + height - CLIENT_HEIGHT))
        wait_screen(display, screen.play_enabled, "the 'Jouer' button")

        return play_in_turns(display, screen, lambda key: display.key_to_screen(window, key),
                             lambda: display.key_to_screen(floor_window, "q"), matches)
    except BenchError as error:
        path = os.path.join(build, "bench-failure-key-to-screen.png")
        display.save_screenshot(path)
        raise BenchError(f"{error} (key to screen; the screen is in {path})") from error
    finally:
        for process in reversed(processes):
            finish(process)
        finish(display.probe)
        finish(display.xvfb)
