"""The built game on its desktop: the start-up message first, centred, then
the empty window, centred frame and all, at its size."""

import time

import xsession
from xsession import is_white, is_dark


def assert_centred_on(session, window, monitor):
    """The outer frame, title bar included, in the middle of the monitor
    (left, top, width, height) to the pixel; the compositor places windows
    on Wayland. kwin tells the frame only once the window is mapped, and the
    game places it again then: a moment is allowed for that."""
    left, top, monitor_width, monitor_height = monitor
    deadline = time.monotonic() + 1.0
    while True:
        frame = session.frame(window)
        if frame is None:
            return
        x, y, width, height = frame
        off = (abs(2 * (x - left) + width - monitor_width),
               abs(2 * (y - top) + height - monitor_height))
        # Under Wine the frame is openbox's, a pixel or two thinner or
        # thicker than the Windows frame the game centres.
        if max(off) <= (4 if session.desktop.name == "wine" else 2):
            return
        assert time.monotonic() < deadline, (frame, monitor)
        time.sleep(0.02)


def assert_centred(session, window):
    assert_centred_on(session, window, (0, 0, *session.screen_size))


def test(session):
    box = session.wait_window("Klobbet :")
    assert not session.windows("Klobbet"), "the window showed before the start-up message closed"
    assert_centred(session, box)
    text = session.box_text(box)
    if text is not None:
        assert "Le joueur de droite a les flèches, celui de gauche Q, S, D et Z" in text, text
        assert "OK" in text, text

    session.key(box, "Return")
    window = session.wait_window("Klobbet")
    x, y, width, height = session.geometry(window)
    menu = height - 593
    assert width == 720 and 10 < menu < 40, (width, height)
    assert_centred(session, window)

    cx, cy = x, y + menu
    # A window just mapped can show black before its first paint (mutter
    # composites it at once): wait for the border dark and the field white.
    shot = session.wait_screen(lambda s: is_dark(s.pixel(cx + 32, cy + 200))
                               and is_white(s.pixel(cx + 300, cy + 200)))
    # The empty playing field, inside its one-pixel border.
    assert shot.count(cx + 33, cy + 17, 655, 423, lambda p: not is_white(p)) == 0
    assert is_dark(shot.pixel(cx + 32, cy + 200)) and is_dark(shot.pixel(cx + 688, cy + 200))
    assert is_dark(shot.pixel(cx + 300, cy + 16)) and is_dark(shot.pixel(cx + 300, cy + 440))
    # The two empty symbol boxes.
    for left in (96, 512):
        assert shot.count(cx + left + 1, cy + 449, 111, 103, lambda p: not is_white(p)) == 0
        assert is_dark(shot.pixel(cx + left, cy + 500))
    # No legend, no countdown: the middle is the window's own colour.
    face = shot.pixel(cx + 5, cy + 500)
    assert not is_white(face)
    assert shot.count(cx + 280, cy + 448, 121, 78, lambda p: p != face) == 0
    # The "Jouer" button, with its caption.
    assert shot.count(cx + 290, cy + 530, 109, 53, is_dark) > 20
    assert shot.count(cx + 200, cy + 560, 80, 25, lambda p: p != face) == 0

    # Quitting properly ends the run.
    session.close_request(window)
    question = session.wait_window("Sale Battard !")
    session.key(question, "Left", "Return")  # from "Non" to "Oui"
    parting = session.wait_window("Pauvre con")
    session.key(parting, "Return")
    status = session.wait_exit()
    assert status == 0, status


if __name__ == "__main__":
    xsession.main(test)
