"""A window placed again once Qt already knows its frame stays centred, frame
and all: kwin tells the frame only after mapping, and Qt may read it before
the game places the window for it."""

import os
import sys
import time

import xsession
from start_up_test import assert_centred


def test(session):
    window = session.wait_window("Klobbet :")
    deadline = time.monotonic() + 10
    while "placed again" not in session.game_output():
        assert session.game.poll() is None, "the probe saw no frame"
        assert time.monotonic() < deadline, "the probe never placed its window again"
        time.sleep(0.02)
    assert_centred(session, window)


if __name__ == "__main__":
    sys.argv[1] = os.environ["KLOBBET_PLACEMENT_PROBE"]
    xsession.main(test)
