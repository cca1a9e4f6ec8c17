"""The Debian package, end to end, as a player gets it: built with
scripts/package from a clean clone of the checkout's HEAD, linted, installed
with apt-get, started from /usr/games on a private Xvfb display, its desktop
files checked where desktops read them, then purged, leaving nothing behind.

Installing needs root, or sudo without a password; without either the test
says so and exits with 77 (skipped). A klobbet package that someone installed
is left alone: the test skips rather than replace and purge it.

Usage: package_test.py"""

import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(ROOT, "tests", "xvfb"))
from xsession import Session  # noqa: E402

SKIPPED = 77
PROGRAM = "/usr/games/klobbet"
DESKTOP_ENTRY = "/usr/share/applications/org.klobbet.Klobbet.desktop"
METAINFO = "/usr/share/metainfo/org.klobbet.Klobbet.metainfo.xml"
# Marks a package this test installed, so that a run killed half-way is
# cleaned up by the next one instead of being taken for a player's install.
MARKER = os.path.join(tempfile.gettempdir(), "klobbet-package-test.installed")
AS_ROOT = [] if os.geteuid() == 0 else ["sudo", "-n"]


class Skip(Exception):
    pass


def run(*command, timeout=300, check=True, **options):
    result = subprocess.run(command, capture_output=True, text=True, timeout=timeout, **options)
    if check and result.returncode != 0:
        raise AssertionError(f"{' '.join(command)} failed ({result.returncode}):\n"
                             + result.stdout[-6000:] + result.stderr[-6000:])
    return result


def apt_get(*arguments):
    # Another apt-get on the machine holds the lock for a while: wait for it.
    run(*AS_ROOT, "env", "DEBIAN_FRONTEND=noninteractive", "apt-get", "-y", "-qq",
        "-o", "DPkg::Lock::Timeout=300", *arguments, timeout=900)


def package_state():
    result = run("dpkg-query", "-W", "-f=${db:Status-Status}", "klobbet", check=False)
    return result.stdout.strip() if result.returncode == 0 else "not-installed"


def purge():
    apt_get("purge", "klobbet")
    if os.path.exists(MARKER):
        os.remove(MARKER)


def check_can_install():
    if AS_ROOT and not (shutil.which("sudo")
                        and run("sudo", "-n", "true", check=False).returncode == 0):
        raise Skip("installing a package needs root or sudo without a password, "
                   "and this user has neither")
    state = package_state()
    if state == "not-installed":
        return
    if state == "installed" and not os.path.exists(MARKER):
        raise Skip("klobbet is installed on this machine and the test would replace and "
                   "purge it; remove it first (apt-get purge klobbet)")
    print(f"purging a klobbet package left by an interrupted run ({state})")
    purge()


def build(workdir):
    """The package built by the documented command in a fresh clone."""
    head = run("git", "-C", ROOT, "rev-parse", "HEAD").stdout.strip()
    clone = os.path.join(workdir, "klobbet")
    run("git", "clone", "--quiet", "--no-checkout", ROOT, clone)
    run("git", "-C", clone, "checkout", "--quiet", "--detach", head)
    log = os.path.join(workdir, "package.log")
    with open(log, "w") as out:
        status = subprocess.run([os.path.join(clone, "scripts", "package")], stdout=out,
                                stderr=subprocess.STDOUT, timeout=1200).returncode
    with open(log) as f:
        output = f.read()
    assert status == 0, "scripts/package failed:\n" + output[-8000:]
    debs = glob.glob(os.path.join(clone, "build", "package", "klobbet_*.deb"))
    changes = glob.glob(os.path.join(clone, "build", "package", "klobbet_*.changes"))
    assert len(debs) == 1 and len(changes) == 1, (debs, changes)
    with open(os.path.join(clone, "CMakeLists.txt")) as f:
        version = re.search(r"project\(Klobbet VERSION ([0-9.]+)", f.read()).group(1)
    arch = run("dpkg", "--print-architecture").stdout.strip()
    assert os.path.basename(debs[0]) == f"klobbet_{version}_{arch}.deb", \
        f"{debs[0]}: the package's version is not the project's, {version}"
    return debs[0], changes[0], log


def lint(changes, log):
    # Every tag counts, down to the pedantic and experimental ones.
    result = run("lintian", "--fail-on", "error,warning", "--display-info",
                 "--display-experimental", "--pedantic", changes, check=False)
    tags = result.stdout.strip()
    print("lintian: " + (tags.replace("\n", "\n  ") if tags else "no tags"))
    assert result.returncode == 0 and not tags, "lintian tags the package:\n" + tags + result.stderr
    # Every compile and link line carries the build flags, fortify among them,
    # which hardening-check cannot always see in the binary (below).
    result = run("blhc", "--bindnow", log, check=False)
    assert result.returncode == 0, "build flags missing:\n" + result.stdout[-4000:]
    # Stack clash and control-flow protection, which blhc does not look for
    # on every release: on every compile line too.
    with open(log) as f:
        compiles = [line for line in f if re.search(r"\s-c\s", line) and ".cpp" in line]
    assert compiles, "no compile line in the build log"
    for flag in protection_flags():
        missing = [line for line in compiles if flag not in line]
        assert not missing, f"{flag} missing:\n{missing[0][:2000]}"


def protection_flags():
    arch = run("dpkg", "--print-architecture").stdout.strip()
    flags = ["-fstack-clash-protection"] if arch in ("amd64", "arm64", "i386", "ppc64el",
                                                     "s390x") else []
    if arch in ("amd64", "i386"):
        flags.append("-fcf-protection")
    elif arch == "arm64":
        flags.append("-mbranch-protection=standard")
    return flags


def check_installed(files):
    assert PROGRAM in files, f"{PROGRAM} is not in the package"
    report = run("hardening-check", PROGRAM, check=False).stdout
    print(report.rstrip())
    # Fortify is left out: only libstdc++'s own memcpy and memmove calls can
    # be fortified, which have no size known when compiled, so the tool finds
    # none protected; blhc has checked the flag on every compile line.
    for feature in ("Position Independent Executable", "Stack protected",
                    "Read-only relocations", "Immediate binding"):
        assert re.search(rf"^ {feature}: yes$", report, re.M), f"{feature}: not yes"
    # The tool finds stack clash probes only in functions with frames larger
    # than a page, which the game may not have ("unknown"); the flag itself
    # is on every compile line (lint). The linker marks control flow and
    # branch protection in the binary only when every object it links has
    # them, the C library's start files included: Debian 12's lack them, so
    # there the flag on every compile line is all the game can do.
    assert not re.search(r"^ Stack clash protection: no", report, re.M), report
    for feature, flag in (("Control flow integrity", "-fcf-protection"),
                          ("Branch protection", "-mbranch-protection=standard")):
        if (flag in protection_flags() and re.search(rf"^ {feature}:", report, re.M)
                and start_files_protected()):
            assert re.search(rf"^ {feature}: yes$", report, re.M), f"{feature}: not yes"


def start_files_protected():
    """Whether the C library's program start file carries the control-flow
    property that the linker needs from every object."""
    multiarch = run("gcc", "-print-multiarch").stdout.strip()
    notes = run("readelf", "-n", f"/usr/lib/{multiarch}/Scrt1.o", check=False).stdout
    return re.search(r"x86 feature: IBT, SHSTK|AArch64 feature: BTI", notes) is not None

    result = run("desktop-file-validate", DESKTOP_ENTRY, check=False)
    assert (result.returncode, result.stdout + result.stderr) == (0, ""), result.stdout
    with open(DESKTOP_ENTRY, encoding="utf-8") as f:
        entry = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
    assert entry["Exec"] == PROGRAM, f"Exec={entry['Exec']}"
    icons = glob.glob(f"/usr/share/icons/hicolor/*/apps/{entry['Icon']}.png")
    assert icons and all(icon in files for icon in icons), f"Icon={entry['Icon']}: {icons}"
    sizes = sorted(int(icon.split("/")[5].split("x")[0]) for icon in icons)
    assert sizes == [16, 24, 32, 48, 64, 128, 256], f"icon sizes {sizes}"

    result = run("appstreamcli", "validate", "--no-net", "--explain", METAINFO, check=False)
    assert result.returncode == 0, result.stdout + result.stderr


def play():
    session = Session(PROGRAM)
    try:
        window, _ = session.start_past_message()
        session.quit_through_menu(window)
    except Exception:
        print("The game's output:\n" + session.game_output(), file=sys.stderr)
        raise
    finally:
        session.close()


def leftovers(files):
    """What the purge left of the package's files: a folder stays only when
    it still holds something or another package owns it."""
    left = []
    for path in files:
        if not os.path.lexists(path):
            continue
        if os.path.isdir(path) and not os.path.islink(path) and (
                os.listdir(path) or run("dpkg-query", "-S", path, check=False).returncode == 0):
            continue
        left.append(path)
    return left


def main():
    started = time.monotonic()
    steps = []

    def step(name, action, *arguments):
        begun = time.monotonic()
        value = action(*arguments)
        steps.append(f"{name} {time.monotonic() - begun:.0f} s")
        return value

    try:
        check_can_install()
    except Skip as reason:
        print(f"SKIPPED: {reason}")
        return SKIPPED
    workdir = tempfile.mkdtemp(prefix="klobbet-package-")
    try:
        deb, changes, log = step("build", build, workdir)
        step("lintian", lint, changes, log)
        with open(MARKER, "w"):
            pass
        step("install", apt_get, "install", "--no-install-recommends", deb)
        files = run("dpkg", "-L", "klobbet").stdout.splitlines()
        step("checks", check_installed, files)
        step("play", play)
        step("purge", purge)
        assert package_state() == "not-installed", package_state()
        left = leftovers(files)
        assert not left, f"the purge left {left}"
    finally:
        if os.path.exists(MARKER):
            purge()
        shutil.rmtree(workdir, ignore_errors=True)
    print(f"ok in {time.monotonic() - started:.0f} s: " + ", ".join(steps))
    return 0


if __name__ == "__main__":
    sys.exit(main())
