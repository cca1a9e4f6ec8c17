"""The built game on screens of other densities. At 192 dpi on a 2880 x 1800
screen it is scaled by two: the window and every control twice as large at
twice their places, and the pixel art crisp, each bitmap pixel a uniform
2 x 2 block of its own colour. At 150 % on 1080 lines, where twice would not
fit, it stays at one, whole on the screen. At 120 and 140 dpi the countdown's
digit and the legend keep their pixel size, whole and clear of each other."""

import os
import time

import xsession
from match_test import Screen
from xsession import Image, is_dark, is_white

SCALE = 2
SCREEN_WIDTH, SCREEN_HEIGHT = 2880, 1800
CLIENT_WIDTH, CLIENT_HEIGHT = 720, 593

# Unscaled client coordinates: left, top, width, height.
BUTTON = (288, 528, 113, 57)
FIELD = (32, 16, 657, 425)
SYMBOL_BOXES = ((96, 448, 113, 105), (512, 448, 113, 105))
LEGEND = (280, 448, 121, 73)
FIELD_ORIGIN = (33, 17)  # inside the field's one-pixel border


def inside(rect, x, y):
    left, top, width, height = rect
    return left <= x < left + width and top <= y < top + height


def unscale(shot, cx, cy):
    """The client area at its unscaled size, one pixel per 2 x 2 block, and
    the unscaled places of the blocks that are not one colour."""
    stride = shot.width * 3
    span = CLIENT_WIDTH * SCALE * 3
    pixels = bytearray(CLIENT_WIDTH * CLIENT_HEIGHT * 3)
    mixed = []
    for y in range(CLIENT_HEIGHT):
        start = (cy + SCALE * y) * stride + cx * 3
        rows = [shot.pixels[start + k * stride:start + k * stride + span] for k in range(SCALE)]
        # Channel c of the k-th pixel across every block of the row.
        lanes = [[rows[0][3 * k + c::3 * SCALE] for c in range(3)] for k in range(SCALE)]
        if any(row != rows[0] for row in rows) or any(lane != lanes[0] for lane in lanes):
            mixed += [(x, y) for x in range(CLIENT_WIDTH)
                      if len({row[(SCALE * x + k) * 3:(SCALE * x + k) * 3 + 3]
                              for row in rows for k in range(SCALE)}) > 1]
        line = y * CLIENT_WIDTH * 3
        for c in range(3):
            pixels[line + c:line + CLIENT_WIDTH * 3:3] = lanes[0][c]
    return Image(CLIENT_WIDTH, CLIENT_HEIGHT, bytes(pixels)), mixed


def ring(rect):
    """The one-pixel frame just inside rect."""
    left, top, width, height = rect
    right, bottom = left + width - 1, top + height - 1
    return ([(x, y) for x in range(left, right + 1) for y in (top, bottom)]
            + [(x, y) for y in range(top, bottom + 1) for x in (left, right)])


def grown(rect, by):
    left, top, width, height = rect
    return (left - by, top - by, width + 2 * by, height + 2 * by)


def differences(view, number, at, columns=None):
    """Where a bitmap painted on the field at `at` does not show as it is."""
    rows = xsession.bitmap(number)
    x0, y0 = FIELD_ORIGIN[0] + at[0], FIELD_ORIGIN[1] + at[1]
    return [(i, j) for j, row in enumerate(rows) for i, colour in enumerate(row[:columns])
            if view.pixel(x0 + i, y0 + j) != colour]


def test(session):
    box = session.wait_window("Klobbet :")
    session.key(box, "Return")
    window = session.wait_window("Klobbet")
    x, y, width, height = session.geometry(window)
    menu = height - SCALE * CLIENT_HEIGHT
    assert width == SCALE * CLIENT_WIDTH, (width, height)
    assert menu % SCALE == 0 and SCALE * 10 < menu < SCALE * 40, (width, height)
    # Centred on the screen, in the unscaled pixels the window is placed in;
    # under Wine the frame around it is openbox's, not Windows' at twice the
    # size, and the start-up test checks the centring.
    if session.desktop.name != "wine":
        assert x == SCALE * ((SCREEN_WIDTH - width) // SCALE // 2), (x, y)
        assert y == SCALE * ((SCREEN_HEIGHT - height) // SCALE // 2), (x, y)
    cx, cy = x, y + menu

    shot = session.wait_screen(lambda s: is_dark(s.pixel(cx + SCALE * 32, cy + SCALE * 200))
                               and is_white(s.pixel(cx + SCALE * 300, cy + SCALE * 200)))
    view, _ = unscale(shot, cx, cy)
    face = view.pixel(5, 500)
    assert view.count(*BUTTON, is_dark) > 20, "no caption on the button"
    assert view.count(200, 560, 80, 25, lambda p: p != face) == 0

    # The click lands on "Jouer" only if the button is at twice its place.
    left, top, w, h = BUTTON
    session.click(cx + SCALE * (left + w // 2), cy + SCALE * (top + h // 2))
    # The countdown ends with the first symbol in each box.
    box_left, box_top, box_width, box_height = SYMBOL_BOXES[0]
    session.wait_screen(lambda s: s.count(cx + SCALE * (box_left + 1), cy + SCALE * (box_top + 1),
                                          SCALE * (box_width - 2), SCALE * (box_height - 2),
                                          is_dark) > 0, timeout=8)
    time.sleep(0.3)  # the frame after the countdown's last repaint, whole
    view, mixed = unscale(session.screenshot(), cx, cy)

    # The button is drawn by the desktop style at the screen's resolution;
    # everything else is the game's pixel art.
    mixed = [p for p in mixed if not inside(BUTTON, *p)]
    assert not mixed, f"{len(mixed)} blurred or misplaced blocks, first at {mixed[:5]}"

    # The left wire ends on the anvil's top row.
    assert differences(view, 102, (100, 100)) == [(45, 0)]
    # The left figure, up to the candle tower that rises in front of it.
    assert differences(view, 106, (100, 200), columns=120) == []

    for rect in (FIELD,) + SYMBOL_BOXES:
        assert all(is_dark(view.pixel(*p)) for p in ring(rect)), f"border of {rect}"
        assert all(view.pixel(*p) == face for p in ring(grown(rect, 1))), f"around {rect}"
    assert view.count(*LEGEND, is_dark) > 50 and view.count(*LEGEND, is_white) > 50


def test_fits_at_one(session):
    """150 % on 1920 x 1080: twice would be taller than the screen."""
    box = session.wait_window("Klobbet :")
    session.key(box, "Return")
    window = session.wait_window("Klobbet")
    _, _, width, height = session.geometry(window)
    assert width == CLIENT_WIDTH and height < CLIENT_HEIGHT + 60, (width, height)
    left, top, outer_width, outer_height = session.frame(window)
    assert left >= 0 and top >= 0 and left + outer_width <= 1920 and top + outer_height <= 1080, \
        session.frame(window)


def ink_rows(shot, left, top, width, height):
    rows = [y for y in range(top, top + height)
            if any(is_dark(shot.pixel(x, y)) for x in range(left, left + width))]
    return (min(rows), max(rows)) if rows else None


def test_text_keeps_its_pixels(session):
    """The 72-point digit whole between the field's border and "Jouer", and
    each legend row's text inside its 13 pixels, the heading with its colon."""
    window, origin = session.start_past_message()
    screen = Screen(origin)
    session.wait_screen(screen.play_enabled)
    session.click(screen.cx + 344, screen.cy + 556)
    shot = session.wait_screen(screen.digit_shown)
    # Rows 441 to 527 of the label are seen; the digit is 72 pixels tall.
    top, bottom = ink_rows(shot, screen.cx + 297, screen.cy + 441, 111, 87)
    assert 441 < top - screen.cy and bottom - screen.cy < 527 and bottom - top < 80, (top, bottom)
    shot = session.wait_screen(lambda s: screen.legend_shift(s) is not None, timeout=5)
    x0, y0 = screen.cx + 280, screen.cy + 448
    heading = [x for x in range(121) for y in range(10) if is_dark(shot.pixel(x0 + x, y0 + y))]
    assert heading and 80 <= max(heading) < 110, "the heading is cut or too wide"
    for row in range(4):
        rows = ink_rows(shot, x0 + 17, y0 + 10 + 13 * row, 104, 13)
        assert rows and rows[0] > y0 + 10 + 13 * row and rows[1] <= y0 + 10 + 13 * row + 11, \
            f"the text of row {row} leaves its 13 pixels: {rows}"
    session.key(window, "Escape")


if __name__ == "__main__":
    xsession.main(test, failure_picture="klobbet-high-dpi-failure.png",
                  resources="Xft.dpi: 192\n", screen=f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24")
    xsession.main(test_fits_at_one, failure_picture="klobbet-high-dpi-fit-failure.png",
                  resources="Xft.dpi: 144\n", screen="1920x1080x24")
    # Under Wine the text is set in stand-ins for Windows' fonts, whose
    # metrics are not Windows' own: the scales above are what it can show.
    for dpi in (120, 140) if os.environ.get("KLOBBET_DESKTOP") != "wine" else ():
        xsession.main(test_text_keeps_its_pixels, failure_picture=f"klobbet-{dpi}-dpi-failure.png",
                      resources=f"Xft.dpi: {dpi}\n")
