"""Takes the README's picture of a match in progress from the real binary:
the left player a few steps up the tower, the right player stunned."""

import sys
import time

import xsession
from match_test import LEFT_KEYS, Screen

RIGHT_KEYS = ["Left", "Up", "Right", "Down"]


def take(session, output):
    window, origin = session.start_past_message()
    screen = Screen(origin)
    session.wait_screen(screen.play_enabled)
    session.click(screen.cx + 344, screen.cy + 556)
    shot = session.wait_screen(lambda s: screen.legend_shift(s) is not None, timeout=5)
    shift = screen.legend_shift(shot)
    for _ in range(7):
        direction = screen.left_symbol(session.screenshot()) - shift
        session.key(window, LEFT_KEYS[direction])
        time.sleep(0.1)
    # The right player presses every arrow: one of them is wrong.
    session.key(window, *RIGHT_KEYS)
    time.sleep(0.2)
    x, y, width, height = session.geometry(window)
    session.screenshot("/tmp/klobbet-screen.png")
    session.run("convert", "/tmp/klobbet-screen.png", "-crop", f"{width}x{height}+{x}+{y}",
                "+repage", output)


if __name__ == "__main__":
    session = xsession.Session(sys.argv[1])
    try:
        take(session, sys.argv[2])
    finally:
        session.close()
