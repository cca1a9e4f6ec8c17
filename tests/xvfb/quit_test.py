"""Both ways out of the real window: a close request answered "Non" keeps
the game as it was; "Quitter" answered "Oui" ends it with status 0 and asks
nothing more."""

import time

import xsession
from match_test import Screen

QUESTION = "Tu veux vraiment aller faire quelque chose de plus nul que ce jeu ?"


def answer(session, title, keys, expected_text):
    box = session.wait_window(title)
    text = session.box_text(box)
    assert text is None or expected_text in text, text
    session.key(box, *keys)
    session.wait_gone(title)
    return text


def test(session):
    window, origin = session.start_past_message()
    screen = Screen(origin)
    session.wait_screen(screen.play_enabled)

    # A close request during the countdown waits for it to end; after "Non"
    # the match goes on.
    # Timed from before the click, which the game may take before the
    # clicking tools return on a busy machine.
    started = time.monotonic()
    session.click(screen.cx + 344, screen.cy + 556)
    time.sleep(0.5)
    session.close_request(window)
    session.wait_window("Sale Battard !")
    assert time.monotonic() - started > 2.9, "asked in the middle of the countdown"
    answer(session, "Sale Battard !", ["Return"], QUESTION)
    answer(session, "T'as d'la chance", ["Return"], "C'est bien fiston")
    shot = session.wait_screen(lambda s: screen.legend_shift(s) is not None)
    assert not screen.play_enabled(shot) and screen.left_progress(shot) == 1
    session.key(window, "Escape")
    session.wait_screen(screen.play_enabled)

    # A close request asks; Enter takes the default "Non".
    session.close_request(window)
    text = answer(session, "Sale Battard !", ["Return"], QUESTION)
    assert text is None or "Oui" in text and "Non" in text, text
    answer(session, "T'as d'la chance", ["Return"], "C'est bien fiston")
    assert session.windows("Klobbet") == [window]
    assert session.game.poll() is None

    # Two close requests in a row ask twice, one after the other.
    if session.queues_close_requests:
        session.close_request(window)
        session.close_request(window)
        for _ in range(2):
            answer(session, "Sale Battard !", ["Escape"], QUESTION)
            answer(session, "T'as d'la chance", ["Return"], "C'est bien fiston")
        time.sleep(0.3)
        assert not session.windows("Sale Battard !")

    # "Quitter", then "Oui": the parting message, then the end.
    session.key(window, "alt+p", "Down", "Down", "Return")
    answer(session, "Sale Battard !", ["Left", "Return"], QUESTION)
    answer(session, "Au revoir !", ["Return"], "C'est ca, 0 la prochaine...!")
    assert session.wait_exit(timeout=5) == 0
    assert not session.windows("Sale Battard !")


if __name__ == "__main__":
    xsession.main(test)
