"""Twelve matches in a row on the real binary: key mashing by both players,
Esc during countdowns and finales, close requests answered "Non", floods of
keys during finales, clicks on disabled controls, menu changes between
matches. The game must stay alive and responsive, keep its memory flat and
end cleanly through "Quitter"."""

import random
import time

import xsession
from match_test import LEFT_KEYS, Screen

RIGHT_KEYS = ["Left", "Up", "Right", "Down"]
MASH = LEFT_KEYS + RIGHT_KEYS + ["w", "a", "Return", "space", "1", "Tab", "F5", "shift+q", "ctrl+z"]


def resident_kib(session):
    with open(f"/proc/{session.game.pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise AssertionError("no VmRSS")


def answer_no(session):
    question = session.wait_window("Sale Battard !")
    session.key(question, "Return")
    reply = session.wait_window("T'as d'la chance")
    session.key(reply, "Return")
    session.wait_gone("T'as d'la chance")


def choose_from_menu(session, window, rng):
    """One of the nine settings, through the keyboard as a player would."""
    if rng.random() < 0.4:
        keys = ["alt+p", "Right"] + ["Down"] * rng.randrange(3) + ["Return"]
    else:
        player = ["Down"] * rng.randrange(2)
        keys = ["alt+p", "Down", "Right"] + player + ["Right"] + ["Down"] * rng.randrange(3) + ["Return"]
    session.key(window, *keys, delay_ms=60)


def play_to_finale(session, window, screen, rng):
    shot = session.wait_screen(lambda s: screen.legend_shift(s) is not None, timeout=6)
    shift = screen.legend_shift(shot)
    while True:
        shot = session.screenshot()
        if screen.play_enabled(shot):
            raise AssertionError("the match ended before its finale")
        progress = screen.left_progress(shot, length=10)
        direction = screen.left_symbol(shot) - shift
        session.key(window, LEFT_KEYS[direction])
        if progress == 10:
            break
        deadline = time.monotonic() + 3
        while screen.left_progress(session.screenshot(), length=10) != progress + 1:
            assert time.monotonic() < deadline, "a correct key did not count"
    # The finale holds the game: flood it with keys, Esc among them.
    flood = [rng.choice(MASH + ["Escape"]) for _ in range(300)]
    session.key(window, *flood, delay_ms=1)
    shot = session.wait_screen(screen.play_enabled, timeout=12)
    field = shot.region(screen.cx + 33, screen.cy + 17, 655, 423)
    time.sleep(0.5)
    after = session.screenshot()
    assert after.region(screen.cx + 33, screen.cy + 17, 655, 423) == field, "keys after the finale drew"
    assert screen.shows(after, screen.field(520, 342), xsession.bitmap(103))


def test(session):
    rng = random.Random(20261208)
    window, origin = session.start_past_message()
    screen = Screen(origin)
    session.wait_screen(screen.play_enabled)
    resident = {}

    for match in range(1, 13):
        finale = match % 4 == 0
        if finale:
            # A short match that the left player plays properly, both at "difficile".
            session.key(window, "alt+p", "Right", "Return", delay_ms=60)  # court
            session.key(window, "alt+p", "Down", "Right", "Right", "Down", "Return", delay_ms=60)
            session.key(window, "alt+p", "Down", "Right", "Down", "Right", "Down", "Return",
                        delay_ms=60)
        else:
            for _ in range(rng.randrange(1, 3)):
                choose_from_menu(session, window, rng)
        if rng.random() < 0.3:
            session.close_request(window)
            answer_no(session)

        session.click(screen.cx + 344, screen.cy + 556)
        time.sleep(0.3)
        # A click on the disabled button and Alt+P on the disabled menu do nothing.
        session.click(screen.cx + 344, screen.cy + 556)
        session.key(window, "alt+p")
        if not finale and rng.random() < 0.3:
            session.key(window, "Escape")  # during the countdown: ends it right after
        if rng.random() < 0.2:
            session.close_request(window)  # asked once the countdown is over
            answer_no(session)

        if finale:
            play_to_finale(session, window, screen, rng)
        else:
            session.wait_screen(lambda s: screen.symbols_shown(s) or screen.play_enabled(s), timeout=6)
            session.key(window, *[rng.choice(MASH) for _ in range(rng.randrange(20, 80))], delay_ms=5)
            session.key(window, "Escape")
            session.wait_screen(screen.play_enabled, timeout=5)
        assert session.game.poll() is None, f"the game died in match {match}"
        if match in (4, 12):
            time.sleep(2.5)  # let stuns end
            resident[match] = resident_kib(session)

    growth = resident[12] - resident[4]
    print(f"resident memory after match 4: {resident[4]} KiB, after match 12: {resident[12]} KiB")
    assert abs(growth) <= 1024, f"resident memory moved by {growth} KiB"

    session.quit_through_menu(window)


if __name__ == "__main__":
    xsession.main(test)
