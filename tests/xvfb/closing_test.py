"""A box answered the moment it has drawn a new frame gives its answer and
closes once that frame is shown (the protocol log, read after every test
under Wayland, says when), not while Qt Wayland's frame thread may be
freeing the frame's callback."""

import os
import sys

import xsession


def test(session):
    session.wait_window("Sale Battard !")
    assert session.wait_exit() == 0, "the box lost its \"Oui\""


if __name__ == "__main__":
    sys.argv[1] = os.environ["KLOBBET_CLOSING_PROBE"]
    xsession.main(test)
