#!/usr/bin/env python3
"""Packs PNG drawings into one Windows icon file (.ico), each kept as PNG,
which Windows reads at every size since Vista: the program's icon for
Explorer, the title bar and Alt+Tab, from the game's own icon drawings.

Usage: make_ico.py OUTPUT.ico DRAWING.png..."""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise ValueError("not a PNG file")
    return struct.unpack(">II", data[16:24])


def main(output, drawings):
    images = []
    for name in drawings:
        with open(name, "rb") as f:
            data = f.read()
        width, height = png_size(data)
        if width > 256 or height > 256:
            raise ValueError(f"{name}: icons hold at most 256 pixels a side")
        images.append((width, height, data))
    images.sort(key=lambda image: image[0])
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, bodies = b"", b""
    for width, height, data in images:
        # 0 stands for 256 in the directory's one-byte sizes.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data),
                               offset)
        bodies += data
        offset += len(data)
    with open(output, "wb") as f:
        f.write(header + entries + bodies)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2:])
