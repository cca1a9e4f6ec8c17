"""Installs the built game into a scratch prefix, as a package would, and
checks what a desktop finds there: the program, its launcher entry, its icon
at every size, its catalogue entry and its manual page, each accepted by the
tool that desktops and software centres trust for it.

Usage: install_test.py CMAKE BUILD_DIR PROJECT_VERSION"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

CMAKE, BUILD_DIR, VERSION = (sys.argv[1:4] + [None] * 3)[:3]
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


def run(*command, env=None):
    return subprocess.run(command, capture_output=True, text=True, env=env)


def desktop_entry(path):
    """The keys of the [Desktop Entry] group, untranslated ones only."""
    keys = {}
    group = None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if line.startswith("["):
                group = line
            elif group == "[Desktop Entry]" and "=" in line and not line.startswith("#"):
                key, value = line.split("=", 1)
                keys[key.strip()] = value.strip()
    return keys


def exec_program(value):
    """The program an Exec value starts: the value's string escapes undone
    first, then its quoting."""
    value = re.sub(r"\\(.)", lambda m: {"s": " ", "n": "\n", "t": "\t", "r": "\r"}
                   .get(m.group(1), m.group(1)), value)
    quoted = re.match(r'"((?:[^"\\]|\\.)*)"', value)
    if quoted:
        return re.sub(r'\\([`"$\\])', r"\1", quoted.group(1))
    return value.split()[0]


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n" and head[12:16] == b"IHDR", f"{path} is not a PNG"
    return int.from_bytes(head[16:20], "big"), int.from_bytes(head[20:24], "big")


def cache_value(name):
    """A variable of the build's CMake cache."""
    with open(os.path.join(BUILD_DIR, "CMakeCache.txt"), encoding="utf-8") as f:
        for line in f:
            if line.startswith(name + ":"):
                return line.split("=", 1)[1].strip()
    raise AssertionError(f"{name} is not in the build's cache")


class InstalledTree(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        for tool in ("desktop-file-validate", "appstreamcli"):
            if not shutil.which(tool):
                raise AssertionError(f"{tool} is missing: scripts/test installs it")
        # A space and a dollar sign, which the launcher entry must quote.
        cls.prefix = tempfile.mkdtemp(prefix="klobbet install $")
        # A DESTDIR from the caller would send the files elsewhere.
        env = {k: v for k, v in os.environ.items() if k != "DESTDIR"}
        result = run(CMAKE, "--install", BUILD_DIR, "--prefix", cls.prefix, env=env)
        if result.returncode != 0:
            raise AssertionError("cmake --install failed:\n" + result.stdout + result.stderr)
        cls.share = os.path.join(cls.prefix, "share")
        entries = os.listdir(os.path.join(cls.share, "applications"))
        if len(entries) != 1 or not entries[0].endswith(".desktop"):
            raise AssertionError(f"expected one launcher entry, found {entries}")
        cls.app_id = entries[0][:-len(".desktop")]
        cls.desktop_file = os.path.join(cls.share, "applications", entries[0])
        cls.metainfo_file = os.path.join(cls.share, "metainfo", cls.app_id + ".metainfo.xml")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.prefix, ignore_errors=True)

    def installed_program(self, name):
        path = os.path.join(self.prefix, "bin", name)
        self.assertTrue(os.path.isfile(path) and os.access(path, os.X_OK),
                        f"no program bin/{name}")
        return path

    def icon_path(self, name, size):
        return os.path.join(self.share, "icons", "hicolor", f"{size}x{size}", "apps",
                            name + ".png")

    def test_program(self):
        with open(self.installed_program("klobbet"), "rb") as f:
            self.assertEqual(f.read(4), b"\x7fELF")

    def test_launcher_entry(self):
        result = run("desktop-file-validate", self.desktop_file)
        # A clean file says nothing; even a hint is a step back.
        self.assertEqual((result.returncode, result.stdout + result.stderr), (0, ""))
        entry = desktop_entry(self.desktop_file)
        self.assertEqual(entry.get("Name"), "Klobbet")
        self.assertTrue(entry.get("Comment"), "no Comment")
        self.assertIn("Game", entry.get("Categories", "").split(";"))
        self.assertNotEqual(entry.get("Terminal"), "true")
        # The full path: neither ~/.local/bin nor /usr/games is on every
        # session's search path.
        self.assertEqual(exec_program(entry["Exec"]), self.installed_program("klobbet"))
        # A name, looked up in the theme, not a path to one file.
        icon = entry.get("Icon", "")
        self.assertNotIn("/", icon)
        for size in ICON_SIZES:
            self.assertTrue(os.path.isfile(self.icon_path(icon, size)),
                            f"Icon={icon} has no {size}x{size} file")

    def test_icons_are_the_drawings_for_their_sizes(self):
        # Each size is its own drawing (tools/art checks the drawings); what
        # the desktop finds must be that drawing, not another size's.
        icon = desktop_entry(self.desktop_file)["Icon"]
        sizes = sorted(int(d.split("x")[0])
                       for d in os.listdir(os.path.join(self.share, "icons", "hicolor")))
        self.assertEqual(tuple(sizes), ICON_SIZES)
        art = cache_value("KLOBBET_ART_DIR")
        for size in ICON_SIZES:
            with self.subTest(size=size):
                path = self.icon_path(icon, size)
                self.assertEqual(png_size(path), (size, size))
                drawn = os.path.join(art, "icon.png" if size == 32 else f"icons/{size}.png")
                with open(path, "rb") as installed, open(drawn, "rb") as original:
                    self.assertEqual(installed.read(), original.read(), f"{path} is not {drawn}")

    def test_manual_page(self):
        path = os.path.join(self.share, "man", "man6", "klobbet.6")
        with open(path, encoding="utf-8") as f:
            title = next(line for line in f if line.startswith(".TH "))
        self.assertEqual(title.split()[1:3], ["KLOBBET", "6"])
        self.assertIn(f'"Klobbet {VERSION}"', title, "the page is not the project's version's")

    def test_catalogue_entry(self):
        result = run("appstreamcli", "validate", "--no-net", "--explain", self.metainfo_file)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        # The entry read together with the launcher entry it points to.
        result = run("appstreamcli", "validate-tree", "--no-net", "--explain", self.prefix)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

        root = ElementTree.parse(self.metainfo_file).getroot()
        self.assertEqual(root.findtext("id"), self.app_id)
        self.assertEqual(root.findtext("launchable[@type='desktop-id']"),
                         self.app_id + ".desktop")
        self.installed_program(root.findtext("provides/binary"))
        self.assertEqual(desktop_entry(self.desktop_file)["Icon"], self.app_id)
        releases = root.findall("releases/release")
        self.assertTrue(releases, "no release")
        self.assertEqual(releases[0].get("version"), VERSION,
                         "the newest release is not the project's version")
        shots = [image.text for image in root.iter("image")]
        self.assertTrue(shots and all(shot.startswith("https://") for shot in shots), shots)


if __name__ == "__main__":
    if VERSION is None:
        sys.exit(__doc__)
    unittest.main(argv=sys.argv[:1])
