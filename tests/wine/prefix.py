"""Makes the private Wine prefix the Windows game is tested in, once for a
Wine version: Wine's own first start (about 20 s) and stand-ins for the
fonts Windows has and Wine does not, so that the game's text is set in a
sans serif at its place. Usage: prefix.py PREFIX"""

import os
import shutil
import subprocess
import sys
import tempfile

# Scalable sans-serif faces where Windows has its own: the countdown's
# "Microsoft Sans Serif" (what Windows draws "MS Sans Serif" with at large
# sizes) and the dialog face of Windows 10 and 11.
REPLACEMENTS = {
    "Microsoft Sans Serif": "DejaVu Sans",
    "MS Sans Serif": "DejaVu Sans",
    "Segoe UI": "Tahoma",
    # Wine names its dialog, menu and message face by this alias, which its
    # drawing resolves and Qt's font list does not; Qt then falls back to
    # Arial, which Wine lacks too, and ends in a serif.
    "MS Shell Dlg": "Tahoma",
    "MS Shell Dlg 2": "Tahoma",
    "Arial": "DejaVu Sans",
}

# openbox draws the frame, but Wine still places a window by the Windows
# frame of its own metrics: Wine 10's caption is 25 px, 7 more than Wine 8's
# and than openbox's title bar, which put the first box, centred by Wine,
# 3.5 px low. Wine 8's caption keeps the two frames within a pixel or two.
WINDOW_METRICS = {"CaptionHeight": "18"}


def wine_env(prefix):
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all",
               # No offer to install .NET and the HTML engine at first start.
               WINEDLLOVERRIDES="mscoree,mshtml=")
    env.pop("DISPLAY", None)
    return env


def main(prefix):
    version = subprocess.run(["wine", "--version"], capture_output=True, text=True,
                             check=True).stdout.strip()
    version += f" {sorted(REPLACEMENTS.items())} {WINDOW_METRICS}"
    mark = os.path.join(prefix, "klobbet-prefix")
    if os.path.exists(mark) and open(mark).read() == version:
        return
    shutil.rmtree(prefix, ignore_errors=True)
    os.makedirs(os.path.dirname(prefix), exist_ok=True)
    env = wine_env(prefix)
    # Its exit status says little: a 64-bit-only Wine reports the 32-bit
    # half it lacks. The registry it writes says it is done.
    subprocess.run(["wineboot", "--init"], env=env, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], env=env, check=True)
    if not os.path.exists(os.path.join(prefix, "system.reg")):
        sys.exit(f"wineboot made no prefix in {prefix}")
    lines = ["REGEDIT4", "", "[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]"]
    lines += [f'"{face}"="{stand_in}"' for face, stand_in in REPLACEMENTS.items()]
    lines += ["", "[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]"]
    lines += [f'"{name}"="{value}"' for name, value in WINDOW_METRICS.items()]
    with tempfile.NamedTemporaryFile("w", suffix=".reg", delete=False) as reg:
        reg.write("\r\n".join(lines) + "\r\n")
    try:
        subprocess.run(["wine", "regedit", "/S", reg.name], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    finally:
        os.unlink(reg.name)
    subprocess.run(["wineserver", "-w"], env=env, check=True)
    with open(mark, "w") as f:
        f.write(version)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(os.path.abspath(sys.argv[1]))
