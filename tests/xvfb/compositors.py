"""The Wayland compositors a session can run the game on, each nested in a
window of the session's X server."""

import os
import re
import shutil
import subprocess
import tempfile

from desktops import Bare, _wait, dies_with_parent


class Nested(Bare):
    """A Wayland compositor in a window on the X server: the game runs as a
    Wayland client, Qt picking its Wayland platform by itself."""
    wayland = True
    # Whether an X server bridges the Wayland clipboard, so xclip reads it.
    x_clipboard = False

    def __init__(self, env, width, height):
        super().__init__(env, width, height)
        self.runtime = tempfile.mkdtemp(prefix=f"klobbet-{self.name}-")
        self.log = os.path.join(self.runtime, "compositor.log")
        self.x_display = None
        self.host_display = env["DISPLAY"]
        # The compositor takes the pointer only when it enters its window:
        # the window leaves the bottom rows free, and the pointer waits there.
        subprocess.run(["xdotool", "mousemove", str(width - 1), str(height - 1)], env=env,
                       check=True)
        compositor_env = dict(env, XDG_RUNTIME_DIR=self.runtime,
                              XDG_CONFIG_HOME=os.path.join(self.runtime, "config"),
                              **self.extra_env(width, height))
        with open(self.log, "w") as log:
            self.processes.append(subprocess.Popen(
                self.command(width, height), env=compositor_env, stdout=log,
                stderr=subprocess.STDOUT, preexec_fn=dies_with_parent))

        def ready():
            if self.processes[0].poll() is not None:
                raise RuntimeError(f"{self.name} exited at start:\n" + open(self.log).read())
            return self.started(open(self.log).read())
        _wait(ready, 20, f"{self.name} did not start")
        # In and out again, so the compositor hides the pointer it draws on
        # screen; the keyboard goes to its window wherever the pointer is.
        for x, y in ((width // 2, height - 2), (width - 1, height - 1)):
            subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y)], env=env, check=True)
        _wait(lambda: self._window(env), 10, f"no window of {self.name}")
        subprocess.run(["xdotool", "windowfocus", "--sync", str(self._window(env))], env=env,
                       check=True)

    def _window(self, env):
        tree = subprocess.run(["xwininfo", "-root", "-children"], env=env, check=True,
                              capture_output=True, text=True).stdout
        found = re.search(r"(0x[0-9a-f]+) \"" + self.window_name, tree)
        return int(found.group(1), 16) if found else None

    def extra_env(self, width, height):
        return {}

    def started(self, log):
        return os.path.exists(os.path.join(self.runtime, "klobbet"))

    def game_env(self, env):
        game = dict(env, XDG_RUNTIME_DIR=self.runtime, WAYLAND_DISPLAY="klobbet",
                    XDG_SESSION_TYPE="wayland", WAYLAND_DEBUG="client")
        if self.x_display:
            game["DISPLAY"] = self.x_display
        else:
            game.pop("DISPLAY")
        game.pop("QT_QPA_PLATFORM", None)
        return game

    def close(self):
        super().close()
        shutil.rmtree(self.runtime, ignore_errors=True)


class Weston(Nested):
    """weston on its X11 backend, with XWayland, whose bridge lets xclip read
    the Wayland clipboard."""
    name = "weston"
    window_name = "Weston Compositor"
    x_clipboard = True

    def command(self, width, height):
        # No panel: nothing of the shell's to click by mistake, and the whole
        # output for windows.
        config = os.path.join(self.runtime, "weston.ini")
        with open(config, "w") as ini:
            ini.write("[shell]\npanel-position=none\nbackground-color=0xff336699\n"
                      "animation=none\nclose-animation=none\nstartup-animation=none\n"
                      "focus-animation=none\n")
        return ["weston", f"--config={config}", "--backend=x11-backend.so", "--use-pixman",
                "--xwayland", "--socket=klobbet", f"--width={width}", f"--height={height - 1}",
                "--idle-time=0"]

    def started(self, log):
        found = re.search(r"xserver listening on display (:\d+)", log)
        if found and super().started(log):
            self.x_display = found.group(1)
            return True
        return False


class MutterWayland(Nested):
    """GNOME's compositor, which draws no frames: Qt draws its own."""
    name = "mutter_wayland"
    window_name = "mutter"

    def extra_env(self, width, height):
        return {"MUTTER_DEBUG_DUMMY_MODE_SPECS": f"{width}x{height - 28}",
                "GSETTINGS_BACKEND": "memory"}

    def command(self, width, height):
        # Without --no-x11 it would start XWayland on a display of its own
        # choosing, perhaps a neighbour's.
        return ["mutter", "--nested", "--wayland", "--no-x11", "--wayland-display=klobbet"]


class KwinWayland(Nested):
    """Plasma's compositor, which draws its own frames around Qt's windows."""
    name = "kwin_wayland"
    window_name = "KDE Wayland Compositor"

    def command(self, width, height):
        # The installed binary carries a file capability that a sandbox cannot
        # grant; a copy under the same name runs without it.
        binary = os.path.join(self.runtime, "kwin_wayland")
        shutil.copy("/usr/bin/kwin_wayland", binary)
        return [binary, "--x11-display", self.host_display, "--socket", "klobbet",
                "--width", str(width),
                "--height", str(height - 28), "--no-lockscreen"]


NESTED = {"weston": Weston, "mutter_wayland": MutterWayland, "kwin_wayland": KwinWayland}
