"""The Windows release as players get it, under Wine: the setup program run
silently for the current user into a folder of one's choosing, upgraded in
place, and for the whole computer; the game started from where the Start
menu shortcut points and left through its menu; the silent uninstaller
taking away all the setup made; and the zip, unpacked into a folder whose
path has a space and an accent, playing as it is.
Usage: install_test.py SETUP.EXE RELEASE.ZIP VERSION"""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

import windows_files as wf
import xsession

UNINSTALL_KEY = "software\\microsoft\\windows\\currentversion\\uninstall\\klobbet"
SHIPPED = {"klobbet.exe", "LICENCE.txt", "LISEZMOI.txt", "LICENCES-TIERCES.txt"}


def wine(prefix, *command, check=True):
    """Runs a Windows program to its end, and every process it started (the
    uninstaller runs on from a copy of itself), with the registry written."""
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all",
               # No Linux menu entries made for the shortcuts: the host's
               # own menus are not the prefix's to change.
               WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
    env.pop("DISPLAY", None)
    # A server that leaves as soon as the last program does, so that the
    # time below ends with the program's work.
    subprocess.run(["wineserver", "-p0"], env=env, check=True)
    started = time.monotonic()
    subprocess.run(["wine", *command], env=env, check=check, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], env=env, check=True)
    return time.monotonic() - started


def traces(prefix):
    """The files under drive C and the registry keys that say Klobbet in
    their names or in their values."""
    files = {path for path in wf.files_under(os.path.join(prefix, "drive_c"))
             if "klobbet" in path.lower()}
    keys = {f"{hive}:{key}" for hive in ("user", "system")
            for key, values in wf.registry(prefix, hive).items()
            if "klobbet" in f"{key}{values}".lower()}
    return files | keys


def play(binary):
    """Past the start-up message, then out through "Quitter" and "Oui"."""
    session = xsession.Session(binary, desktop="wine")
    try:
        window, _ = session.start_past_message()
        session.quit_through_menu(window)
    finally:
        session.close()


def check_installed(prefix, hive, start_menu, folder, version):
    """The files, the shortcut and the entry of an install in `folder`;
    returns the entry."""
    entries = {h: wf.registry(prefix, h).get(UNINSTALL_KEY) for h in ("user", "system")}
    entry = entries.pop(hive)
    assert entry, f"no uninstall entry in {hive}.reg"
    assert not any(entries.values()), "a second uninstall entry"
    where = wf.unix_path(prefix, entry["InstallLocation"])
    assert os.path.samefile(where, folder), (entry["InstallLocation"], folder)
    assert set(os.listdir(folder)) == SHIPPED | {"uninstall.exe"}, os.listdir(folder)
    assert entry["DisplayName"] == "Klobbet" and entry["DisplayVersion"] == version, entry
    assert entry["Publisher"] == "Les auteurs de Klobbet", entry
    installed = entry["InstallLocation"]
    assert entry["DisplayIcon"] == f"{installed}\\klobbet.exe,0", entry
    assert entry["UninstallString"] == f'"{installed}\\uninstall.exe"', entry
    assert entry["QuietUninstallString"] == f'"{installed}\\uninstall.exe" /S', entry
    size_kib = sum(os.path.getsize(os.path.join(folder, name)) for name in SHIPPED) // 1024
    assert abs(entry["EstimatedSize"] - size_kib) <= 200, (entry["EstimatedSize"], size_kib)
    shortcut = os.path.join(start_menu, "Programs", "Klobbet.lnk")
    target = wf.shortcut_target(shortcut)
    assert target.lower() == f"{installed}\\klobbet.exe".lower(), target
    return entry, wf.unix_path(prefix, target)


def check_details(program, version):
    """What Explorer shows of a program in Properties > Details."""
    details = {name: wf.version_string(program, name) for name in (
        "ProductName", "ProductVersion", "FileVersion", "CompanyName", "FileDescription",
        "LegalCopyright")}
    assert details["ProductName"] == "Klobbet", details
    assert details["ProductVersion"] == details["FileVersion"] == version, details
    assert details["CompanyName"] == "Les auteurs de Klobbet", details
    assert details["FileDescription"], details
    assert "GPL-3.0-or-later" in details["LegalCopyright"], details


def uninstall(prefix, entry):
    command = entry["QuietUninstallString"]
    program, arguments = command[1:].split('" ')
    took = wine(prefix, program, *arguments.split())
    left = traces(prefix)
    assert not left, f"the uninstaller left {sorted(left)}"
    return took


def forget(prefix, user):
    """What a failed run installed must not meet the next run."""
    for hive in ("HKCU", "HKLM"):
        wine(prefix, "reg", "delete", f"{hive}\\{UNINSTALL_KEY}", "/f", check=False)
    for folder in (os.path.join(prefix, "drive_c", "Jeux"),
                   os.path.join(user, "AppData", "Local", "Programs", "Klobbet"),
                   os.path.join(prefix, "drive_c", "Program Files", "Klobbet")):
        shutil.rmtree(folder, ignore_errors=True)
    for menu in (os.path.join(user, "AppData", "Roaming"), os.path.join(prefix, "drive_c",
                                                                        "ProgramData")):
        shortcut = os.path.join(menu, "Microsoft", "Windows", "Start Menu", "Programs",
                                "Klobbet.lnk")
        if os.path.exists(shortcut):
            os.unlink(shortcut)


def test(setup, release_zip, version):
    prefix = os.environ["KLOBBET_WINEPREFIX"]
    user = wf.user_folder(prefix)
    if traces(prefix):  # a run killed half-way
        forget(prefix, user)
    assert not traces(prefix), f"the prefix already has {sorted(traces(prefix))}"
    user_menu = os.path.join(user, "AppData", "Roaming", "Microsoft", "Windows", "Start Menu")
    check_details(setup, version)
    figures = []
    try:
        # For the current user, into a folder of one's choosing (Wine
        # would quote a path with a space, which /D= does not take).
        mine = os.path.join(prefix, "drive_c", "Jeux", "Klobbet")
        figures.append(("install", wine(prefix, setup, "/S", "/D=C:\\Jeux\\Klobbet")))
        entry, game = check_installed(prefix, "user", user_menu, mine, version)
        check_details(game, version)
        play(game)
        # Again, over it: the same folder, one entry.
        figures.append(("upgrade", wine(prefix, setup, "/S")))
        entry, _ = check_installed(prefix, "user", user_menu, mine, version)
        figures.append(("uninstall", uninstall(prefix, entry)))
        assert not os.path.exists(mine)

        # For every user: Program Files, the computer's Start menu, HKLM.
        figures.append(("install for all", wine(prefix, setup, "/S", "/ALLUSERS")))
        entry, game = check_installed(
            prefix, "system", os.path.join(prefix, "drive_c", "ProgramData", "Microsoft",
                                           "Windows", "Start Menu"),
            os.path.join(prefix, "drive_c", "Program Files", "Klobbet"), version)
        figures.append(("uninstall for all", uninstall(prefix, entry)))

        # The zip, unpacked anywhere, plays as it is.
        with tempfile.TemporaryDirectory(dir=os.path.join(prefix, "drive_c")) as scratch:
            where = os.path.join(scratch, "Jeux à tester")
            with zipfile.ZipFile(release_zip) as archive:
                archive.extractall(where)
            folder = os.path.join(where, f"Klobbet-{version}")
            assert set(os.listdir(folder)) == SHIPPED, os.listdir(folder)
            play(os.path.join(folder, "klobbet.exe"))
    except BaseException:
        forget(prefix, user)
        raise
    print(", ".join(f"{name} {seconds:.1f} s" for name, seconds in figures))


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    test(*sys.argv[1:])
    print("ok")
