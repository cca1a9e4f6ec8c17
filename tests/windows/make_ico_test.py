"""The Windows program's icon file, as tools/windows/make_ico.py packs it:
a directory Windows can read (256 written as 0, each entry's size and
offset pointing at its own drawing, smallest first) around the game's PNG
drawings, byte for byte."""

import os
import struct
import subprocess
import sys
import tempfile

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
DRAWINGS = ["icons/256.png", "icon.png", "icons/16.png", "icons/48.png"]


def main():
    paths = [os.path.join(ROOT, "resources", name) for name in DRAWINGS]
    with tempfile.TemporaryDirectory() as folder:
        ico = os.path.join(folder, "klobbet.ico")
        subprocess.run([sys.executable, os.path.join(ROOT, "tools", "windows", "make_ico.py"),
                        ico, *paths], check=True)
        data = open(ico, "rb").read()
        bad = subprocess.run([sys.executable, os.path.join(ROOT, "tools", "windows", "make_ico.py"),
                              os.path.join(folder, "bad.ico"), __file__], capture_output=True)
    assert bad.returncode != 0, "a file that is no PNG was packed"

    reserved, kind, count = struct.unpack_from("<HHH", data)
    assert (reserved, kind, count) == (0, 1, 4), (reserved, kind, count)
    drawings = {open(path, "rb").read() for path in paths}
    sizes, end = [], 6 + 16 * count
    for i in range(count):
        width, height, colours, zero, planes, bits, length, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i)
        assert (colours, zero, planes, bits) == (0, 0, 1, 32)
        assert offset == end, f"entry {i} starts at {offset}, not right after the last"
        body = data[offset:offset + length]
        assert body in drawings, f"entry {i} is not one of the drawings"
        real = struct.unpack(">II", body[16:24])
        assert (width or 256, height or 256) == real, (width, height, real)
        sizes.append(real[0])
        end = offset + length
    assert end == len(data)
    assert sizes == [16, 32, 48, 256], sizes
    print("ok")


if __name__ == "__main__":
    main()
