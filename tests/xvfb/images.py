"""Screenshots and the game's own bitmaps as pixels the tests can compare."""

import os

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


class Image:
    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def region(self, x, y, w, h):
        return [[self.pixel(x + i, y + j) for i in range(w)] for j in range(h)]

    def count(self, x, y, w, h, predicate):
        return sum(1 for j in range(h) for i in range(w) if predicate(self.pixel(x + i, y + j)))


def is_white(p):
    return p == (255, 255, 255)


def is_dark(p):
    return max(p) < 80


def read_ppm(data):
    # P6 header: magic, width, height, maxval, each separated by whitespace.
    parts = []
    i = 0
    while len(parts) < 4:
        while data[i:i + 1].isspace():
            i += 1
        j = i
        while not data[j:j + 1].isspace():
            j += 1
        parts.append(data[i:j])
        i = j
    i += 1
    return Image(int(parts[1]), int(parts[2]), data[i:])


def read_bmp(path):
    """A 24-bit bottom-up BMP as rows of (r, g, b)."""
    with open(path, "rb") as f:
        data = f.read()
    offset = int.from_bytes(data[10:14], "little")
    width = int.from_bytes(data[18:22], "little", signed=True)
    height = int.from_bytes(data[22:26], "little", signed=True)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        source_row = abs(height) - 1 - y if height > 0 else y
        base = offset + source_row * stride
        rows.append([(data[base + 3 * x + 2], data[base + 3 * x + 1], data[base + 3 * x])
                     for x in range(width)])
    return rows


def bitmap(number):
    return read_bmp(os.path.join(ROOT, "resources", "bitmaps", f"{number}.bmp"))
