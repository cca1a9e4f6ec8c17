"""The Windows release's notices, as tools/windows/third_party_notices.py
writes them from a small stand-in for Qt's source: a bundled library that is
built is listed with its copyright and licence, one that configure leaves
out is not, a licence text shared by components is given once, the
file has Windows line ends, and an attribution the script has not been
told about stops it rather than being guessed at."""

import json
import os
import subprocess
import sys
import tempfile

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
TOOL = os.path.join(ROOT, "tools", "windows", "third_party_notices.py")
CC0 = "CC0 1.0 Universal\n\nStatement of Purpose\n\nThe laws of most jurisdictions..."


def put(tree, path, text):
    path = os.path.join(tree, path)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def attribution(tree, folder, licence_file, licence, **fields):
    # Qt writes line breaks raw inside its strings: so does the stand-in.
    text = json.dumps(dict(fields, LicenseFile=licence_file), indent=4).replace("\\n", "\n")
    put(tree, f"{folder}/qt_attribution.json", text)
    put(tree, f"{folder}/{licence_file}", licence)


def make_tree(tree):
    put(tree, "LICENSES/LGPL-3.0-only.txt", "GNU LESSER GENERAL PUBLIC LICENSE\nVersion 3\n")
    put(tree, "LICENSES/GPL-3.0-only.txt", "GNU GENERAL PUBLIC LICENSE\nVersion 3\n")
    attribution(tree, "src/3rdparty/zlib", "LICENSE", "zlib licence text\n", Id="zlib",
                Name="Data Compression Library (zlib)", Version="1.2.13", License="zlib License",
                Copyright="(C) 1995-2022 Jean-loup Gailly\nand Mark Adler")
    attribution(tree, "src/3rdparty/freetype", "LICENSE.txt", "FreeType licence text\n",
                Id="freetype", Name="Freetype 2", License="FTL", Copyright="The FreeType Project")
    # The same MIT text, wrapped differently.
    attribution(tree, "src/3rdparty/tinycbor", "LICENSE", "MIT License\n\nPermission is hereby "
                "granted, free of charge\n", Id="tinycbor", Name="TinyCBOR", License="MIT")
    attribution(tree, "src/3rdparty/md4c", "LICENSE.md", "MIT License\n\nPermission is\nhereby "
                "granted, free of charge\n", Id="md4c", Name="MD4C", License="MIT")
    # SipHash's CC0 text is also the start of BLAKE2's CC0-or-Apache one.
    attribution(tree, "src/corelib/tools", "LICENSE.siphash", CC0, Id="siphash",
                Name="SipHash Algorithm", License="CC0", Copyright="Aumasson, Bernstein")
    attribution(tree, "src/3rdparty/blake2", "COPYING", CC0 + "\n\nApache License 2.0\n",
                Id="blake2", Name="BLAKE2", License="CC0 or Apache", Copyright="Samuel Neves")


def run(tree, options):
    out = os.path.join(tree, "notices.txt")
    done = subprocess.run([sys.executable, TOOL, tree, out, "--qt-version", "6.4.2+dfsg-10",
                           "--configure-options=" + options], capture_output=True, text=True)
    if done.returncode != 0:
        return done
    with open(out, "rb") as f:
        return f.read()


def main():
    with tempfile.TemporaryDirectory() as tree:
        make_tree(tree)
        data = run(tree, "-static -qt-zlib -no-freetype")
        assert isinstance(data, bytes), data.stderr
        assert b"\n" not in data.replace(b"\r\n", b""), "a line ends without CR"
        text = data.decode("utf-8").replace("\r\n", "\n")
        assert "qt6-base=6.4.2+dfsg-10" in text and "-qt-zlib -no-freetype" in text
        assert "Data Compression Library (zlib)" in text
        assert "Jean-loup Gailly\n      and Mark Adler" in text, "copyright lines lost"
        assert "zlib licence text" in text
        assert "Freetype" not in text and "FreeType licence" not in text, "-no-freetype ignored"
        assert text.count("Statement of Purpose") == 1, "the CC0 text is given twice"
        assert text.count("free of charge") == 1, "the MIT text is given twice"
        assert "Apache License 2.0" in text
        assert "GNU LESSER GENERAL PUBLIC LICENSE" in text and "GNU GENERAL PUBLIC" in text

        text = run(tree, "-system-zlib").decode("utf-8")
        assert "zlib licence text" not in text, "the system's zlib is not Qt's to list"
        assert "FreeType licence text" in text, "Qt's own FreeType left out"

        attribution(tree, "src/3rdparty/newlib", "LICENSE", "new\n", Id="newlib", Name="New")
        done = run(tree, "-static")
        assert not isinstance(done, bytes), "an unknown attribution was let through"
        assert "newlib" in done.stderr, done.stderr
    print("ok")


if __name__ == "__main__":
    main()
