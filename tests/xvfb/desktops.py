"""The desktops a session runs the game on, all inside one Xvfb: the bare X
server, a window manager on it, or a Wayland compositor nested in it, where
Qt picks its Wayland platform by itself as on a Wayland desktop session."""

import ctypes
import os
import random
import re
import signal
import socket
import subprocess
import tempfile
import time

NAMES = ("bare", "metacity", "xfwm4", "openbox", "mutter", "kwin_x11", "weston",
         "mutter_wayland", "kwin_wayland", "wine")

WINDOW_MANAGERS = {
    # No compositing where it can be turned off: screenshots must show the
    # windows, and software GL is slow. mutter always composites.
    "metacity": (["metacity", "--no-composite"], {"GSETTINGS_BACKEND": "memory"}),
    "xfwm4": (["xfwm4", "--compositor=off"], {}),
    "openbox": (["openbox"], {}),
    "mutter": (["mutter", "--x11", "--replace"], {"GSETTINGS_BACKEND": "memory"}),
    "kwin_x11": (["kwin_x11", "--replace"], {"KWIN_COMPOSE": "N"}),
}


def dies_with_parent():
    """For preexec_fn: the process gets SIGTERM when the test that started
    it dies, so a test killed on timeout leaves no server behind."""
    ctypes.CDLL("libc.so.6", use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def free_display():
    """A display number no X server here uses. Other sandboxes on the same
    machine share the abstract socket names but not /tmp, so a free lock
    file alone is not enough: a client would reach their server instead."""
    for _ in range(200):
        number = random.randrange(100, 1000)
        if os.path.exists(f"/tmp/.X{number}-lock"):
            continue
        probe = socket.socket(socket.AF_UNIX)
        try:
            probe.bind(f"\0/tmp/.X11-unix/X{number}")
        except OSError:
            continue
        finally:
            probe.close()
        return number
    raise RuntimeError("no free X display number")


def _wait(condition, timeout, what):
    deadline = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > deadline:
            raise RuntimeError(f"{what} within {timeout} s")
        time.sleep(0.05)


class Bare:
    """An X server and nothing else: no frame, no focus given by anyone."""
    name = "bare"
    wayland = False
    managed = False

    def __init__(self, env, width, height):
        self.processes = []

    def game_env(self, env):
        return env

    def game_command(self, binary):
        """How the game is started: the binary itself, or through Wine."""
        return [binary]

    def close(self):
        for process in self.processes:
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()


class WindowManager(Bare):
    managed = True

    def __init__(self, env, width, height, name):
        super().__init__(env, width, height)
        self.name = name
        command, extra = WINDOW_MANAGERS[name]
        self.log = tempfile.TemporaryFile()
        # xfwm4 once quit at start in a whole run of the suite, and did not
        # again in many starts: one more try before calling it broken.
        for attempt in range(3):
            self.processes = [subprocess.Popen(command, env=dict(env, **extra), stdout=self.log,
                                               stderr=subprocess.STDOUT,
                                               preexec_fn=dies_with_parent)]
            try:
                _wait(lambda: self._ready(env), 15, f"{name} did not start")
                return
            except RuntimeError:
                if attempt == 2:
                    self.log.seek(0)
                    raise RuntimeError(f"{name} exited at start:\n"
                                       + self.log.read().decode(errors="replace"))

    def _ready(self, env):
        # A window manager announces itself on the root window once it
        # manages the screen.
        out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env,
                             capture_output=True, text=True).stdout
        if self.processes[0].poll() is not None:
            raise RuntimeError(f"{self.name} exited at start")
        return "window id" in out

    def close(self):
        super().close()
        self.log.close()


class SessionBus:
    """A D-Bus session bus of the session's own, as every desktop session
    has: xfwm4 quits at start without one, and Qt asks the desktop's portal
    through it. The desktop and the game both find it in the environment."""

    def __init__(self):
        self.process = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, preexec_fn=dies_with_parent)
        self.address = self.process.stdout.readline().decode().strip()
        if not self.address:
            raise RuntimeError("dbus-daemon did not start")

    def close(self):
        # Services the bus started (kwin's shortcut daemon) leave with it.
        self.process.terminate()
        self.process.wait()
        self.process.stdout.close()


class Wine(WindowManager):
    """The Windows game under Wine, on openbox: without a window manager
    every Windows modal box stalls about 2 s when it closes. The prefix,
    KLOBBET_WINEPREFIX, is made once beforehand (tests/wine/prefix.py)."""

    def __init__(self, env, width, height):
        super().__init__(env, width, height, "openbox")
        self.name = "wine"
        self.prefix = os.environ["KLOBBET_WINEPREFIX"]
        self._set_dpi(env)

    def _set_dpi(self, env):
        """Windows takes the screen's density from its settings, not from
        the X resources a Linux desktop sets (Xft.dpi): the session's is
        written there, when it differs from what the prefix has."""
        resources = subprocess.run(["xrdb", "-query"], env=env, capture_output=True,
                                   text=True).stdout
        found = re.search(r"^Xft\.dpi:\s*(\d+)", resources, re.MULTILINE)
        dpi = int(found.group(1)) if found else 96
        with open(os.path.join(self.prefix, "user.reg"), errors="replace") as registry:
            desktop = registry.read().split("[Control Panel\\\\Desktop]", 1)[-1].split("\n[", 1)[0]
        known = re.search(r'^"LogPixels"=dword:([0-9a-f]+)', desktop, re.MULTILINE)
        if (int(known.group(1), 16) if known else 96) == dpi:
            return
        wine = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG="-all")
        wine.pop("DISPLAY", None)
        subprocess.run(["wine", "reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels",
                        "/t", "REG_DWORD", "/d", str(dpi), "/f"], env=wine, check=True,
                       capture_output=True)
        subprocess.run(["wineserver", "-w"], env=wine, check=True)

    def game_env(self, env):
        return dict(env, WINEPREFIX=self.prefix, WINEDEBUG="-all",
                    WINEDLLOVERRIDES="mscoree,mshtml=")

    def game_command(self, binary):
        return ["wine", binary]

    def close(self):
        # Wine's own processes for the prefix (its server, its desktop
        # process) would outlive the X server they were started for.
        # -k only signals them: the next test's Wine must not find this
        # prefix's server still dying, bound to an X server that is gone.
        wine = dict(os.environ, WINEPREFIX=self.prefix)
        subprocess.run(["wineserver", "-k"], env=wine, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=wine, stderr=subprocess.DEVNULL, timeout=60)
        super().close()


def start(name, env, width, height):
    if name == "wine":
        return Wine(env, width, height)
    if name == "bare":
        return Bare(env, width, height)
    if name in WINDOW_MANAGERS:
        return WindowManager(env, width, height, name)
    # The compositors build on what is above: imported only when asked for.
    import compositors
    if name in compositors.NESTED:
        return compositors.NESTED[name](env, width, height)
    raise ValueError(f"no desktop '{name}': one of {', '.join(NAMES)}")
