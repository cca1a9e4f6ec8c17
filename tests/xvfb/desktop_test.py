"""What a real desktop adds to a bare X server: the keyboard comes back to
the game when a message box closes; a box's title shows whole in the title
bar; maximise, fullscreen and minimise, asked of the window manager or
through Qt's own Wayland frame, leave the window at its size and place; the
window manager's pings are answered during the finale."""

import os
import subprocess
import time

import xsession
from match_test import LEFT_KEYS, Screen
from quit_test import answer

# Where Qt's Wayland frame has its buttons, from the window's top-right corner.
WAYLAND_MAXIMISE, WAYLAND_MINIMISE = -37, -60


def client_area(session, screen):
    return session.screenshot().region(screen.cx, screen.cy, 720, 593)


def wait_until(condition, what, timeout=5.0):
    """what: the failure's message, or a function that tells what was seen."""
    deadline = time.monotonic() + timeout
    while not condition():
        assert time.monotonic() < deadline, what() if callable(what) else what
        time.sleep(0.05)


def differing_box(before, after):
    """The bounding box (x, y, width, height) of the pixels that changed
    between two regions of the same size, or None."""
    changed = [(x, y) for y, (row_before, row_after) in enumerate(zip(before, after))
               for x, (a, b) in enumerate(zip(row_before, row_after)) if a != b]
    if not changed:
        return None
    xs, ys = [x for x, _ in changed], [y for _, y in changed]
    return min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1


def assert_title_fits(session, box, title):
    """Window managers draw a title in a bold sans-serif of up to 11 points
    (metacity's default), centred between the frame's buttons, and cut what
    does not fit: the box must be as wide as the title and the buttons on
    both sides."""
    text = int(subprocess.run(
        ["convert", "-font", "DejaVu-Sans-Bold", "-pointsize", "11", "-density", "96",
         f"label:{title}", "-trim", "-format", "%w", "info:"],
        check=True, capture_output=True, text=True).stdout)
    width = session.wayland.size(box)[0] if session.wayland else session.geometry(box)[2]
    assert width >= text + 2 * 48, (title, width, text)


def menu_bar(session, screen):
    return session.screenshot().region(screen.cx, screen.cy - 19, 720, 19)


def assert_over_window(session, window, title, menu_before):
    """A box opened from the window is centred on its frame, to 2 pixels,
    where X11 tells where frames are; on Wayland the compositor places it,
    and kwin puts it over the window, not over its menu bar at the screen's
    corner (weston places windows at random, mutter cascades them from the
    corner when no toolkit protocol of its own marks them as dialogs)."""
    box = session.wait_window(title)
    frame = session.frame(box)
    if frame is None:
        if session.desktop.name == "kwin_wayland":
            wait_until(lambda: menu_bar(session, session.screen_of_test) == menu_before,
                       f"'{title}' over the window's menu bar")
        return
    x, y, width, height = frame
    wx, wy, wwidth, wheight = session.frame(window)
    assert abs((2 * x + width) - (2 * wx + wwidth)) <= 4, (frame, (wx, wy, wwidth, wheight))
    assert abs((2 * y + height) - (2 * wy + wheight)) <= 4, (frame, (wx, wy, wwidth, wheight))


def keys_after_reply(session, window, screen):
    """A close request in the middle of a match, "Non", the reply: the first
    arrow key after it must reach the game, without a click. Both boxes
    open over the window."""
    session.screen_of_test = screen
    session.click(screen.cx + 344, screen.cy + 556)
    if not session.wayland:
        # Off "Jouer" long before the window's picture is kept: its look
        # follows the pointer.
        session.run("xdotool", "mousemove", "--sync", "0", "0")
    session.wait_screen(lambda s: screen.legend_shift(s) is not None)
    menu_before = menu_bar(session, screen)
    session.close_request(window)
    assert_over_window(session, window, "Sale Battard !", menu_before)
    answer(session, "Sale Battard !", ["Return"], "Tu veux vraiment")
    assert_over_window(session, window, "T'as d'la chance", menu_before)
    if session.desktop.name != "wine":  # Windows sizes its own boxes for its own title font
        assert_title_fits(session, session.wait_window("T'as d'la chance"), "T'as d'la chance")
    answer(session, "T'as d'la chance", ["Return"], "C'est bien fiston")
    right_half = (screen.cx + 360, screen.cy + 17, 320, 423)
    before = session.screenshot().region(*right_half)
    session.key(window, "Left")
    session.wait_screen(lambda s: s.region(*right_half) != before, timeout=10)
    session.key(window, "Escape")
    session.wait_screen(screen.play_enabled)
    time.sleep(2.2)  # a stun the arrow caused ends and repaints its pose


def net_wm_state(session, window):
    return session.run("xprop", "-id", str(window), "_NET_WM_STATE", check=False)


def size_requests(session, window, screen):
    """The window manager's maximise and fullscreen are taken back, and the
    window keeps its size, place and layout; a minimised window comes back
    intact."""
    if not session.wayland:
        # The pointer left "Jouer" seconds ago, but Windows' style fades the
        # button's blue hover border out only once Wine, which polls for
        # it, has noticed. Every style draws the button in greys alone when
        # the pointer is away.
        session.wait_screen(lambda shot: shot.count(screen.cx + 288, screen.cy + 528, 113, 57,
                                                    lambda p: p[0] != p[1] or p[1] != p[2]) == 0)
    place = session.geometry(window)
    picture = client_area(session, screen)

    def back_in_place():
        return session.geometry(window) == place and client_area(session, screen) == picture

    def seen(what):
        def told():
            state = "" if session.wayland else f"state {net_wm_state(session, window).strip()!r}, "
            return (f"{what}: {state}geometry {session.geometry(window)} (was {place}), "
                    f"pixels changed in {differing_box(picture, client_area(session, screen))}")
        return told

    if session.desktop.name == "kwin_wayland":
        # kwin draws the frame there, and offers no maximise; its window
        # menu's "More Actions", "Fullscreen" must leave the frame as it was.
        title_bar = (screen.cx, screen.cy - 19 - 30, 720, 24)
        # Off the close box the last close request clicked, onto kwin's
        # empty desktop, so the box is drawn plain.
        session.run("xdotool", "mousemove", "20", "20")
        time.sleep(0.5)
        frame_before = session.screenshot().region(*title_bar)
        session.run("xdotool", "key", "alt+F3")
        time.sleep(0.5)
        for key in ("Down", "Down", "Right", "Down", "Down", "Down", "Return"):
            session.run("xdotool", "key", key)
            time.sleep(0.2)
        wait_until(lambda: back_in_place()
                   and session.screenshot().region(*title_bar) == frame_before,
                   seen("fullscreen left the window or its frame drawn otherwise"))
        return
    if session.wayland:
        x, y, width, _ = place
        session.click(x + width + WAYLAND_MAXIMISE, y - 15)
        time.sleep(0.5)
        assert session.game.poll() is None, "the game ended on maximise"
        wait_until(back_in_place, seen("maximised on Wayland"))
        if session.desktop.name != "weston":
            return  # only weston's shell has a switcher to bring a window back
        # weston hides a minimised window; its window switcher shows it again.
        session.click(x + width + WAYLAND_MINIMISE, y - 15)
        wait_until(lambda: client_area(session, screen) != picture, "not minimised")
        session.run("xdotool", "keydown", "super", "key", "Tab", "keyup", "super")
        wait_until(back_in_place, seen("not back intact after a minimise"))
        return

    # Windows knows no fullscreen state another program could set: under
    # Wine only the maximise is asked for.
    states = ("fullscreen",) if session.desktop.name != "wine" else ()
    for state in states + ("maximized_vert,maximized_horz",):
        session.run("wmctrl", "-i", "-r", str(window), "-b", f"add,{state}")
        wait_until(lambda: "FULLSCREEN" not in net_wm_state(session, window)
                   and "MAXIMIZED" not in net_wm_state(session, window) and back_in_place(),
                   seen(f"{state} kept or the window moved"))

    # Out of the taskbar a minimised window would be lost: it comes back by
    # itself, with the keyboard. A Windows window with no minimise box is
    # not minimised by Windows at all; only an X window manager could, which
    # Wine does not pass on to it.
    if session.desktop.name != "wine":
        session.run("xdotool", "windowminimize", str(window))
        wait_until(lambda: "HIDDEN" not in net_wm_state(session, window) and back_in_place()
                   and session.has_focus(window), seen("not back intact after a minimise"))
    # Taking the states back must not take the window into the taskbar.
    assert "SKIP_TASKBAR" in net_wm_state(session, window), net_wm_state(session, window)
    session.focus(window)


def menu_leaves_on_escape(session, window, screen):
    """A player who opened the menu with Alt+P leaves it with Escape. The
    menu lies over the field's top left corner."""
    def under_menu():
        return session.screenshot().region(screen.cx, screen.cy, 200, 100)
    closed = under_menu()
    session.key(window, "alt+p", delay_ms=60)
    wait_until(lambda: under_menu() != closed, "Alt+P opened no menu")
    # The menu has the keyboard now, not the window.
    session.run("xdotool", "key", "Escape")
    wait_until(lambda: under_menu() == closed, "Escape left the menu open")


def play_short_match_to_finale(session, window, screen):
    """The left player types all ten directions of a short match."""
    session.key(window, "alt+p", "Right", "Return", delay_ms=60)  # "jeu", "court"
    session.click(screen.cx + 344, screen.cy + 556)
    shot = session.wait_screen(lambda s: screen.legend_shift(s) is not None)
    shift = screen.legend_shift(shot)
    for progress in range(1, 11):
        direction = screen.left_symbol(session.screenshot()) - shift
        session.key(window, LEFT_KEYS[direction])
        if progress < 10:
            session.wait_screen(lambda s: screen.left_progress(s, 10) == progress + 1)


def pings_in_finale(session, window, screen):
    """A window that leaves pings unanswered for 5 s is called "not
    responding"; the finale waits 6.4 s."""
    play_short_match_to_finale(session, window, screen)
    slowest = subprocess.run([os.environ["KLOBBET_PING"], str(window), "6", "100"],
                             env=session.env, check=True, capture_output=True,
                             text=True).stdout.strip()
    assert slowest != "unanswered" and float(slowest) < 500, slowest
    session.wait_screen(screen.play_enabled, timeout=10)


def windows_frame(session, window):
    """Under Wine the Windows frame shows in the hints Wine gives the window
    manager, from the window's styles: a dialog frame that neither sizes,
    minimises nor maximises, with a title, a system menu and a close box;
    and an owned window, out of the taskbar."""
    out = session.run("xprop", "-id", str(window), "_MOTIF_WM_HINTS", "_NET_WM_STATE")
    hints = out.split("_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = ")[1].splitlines()[0]
    flags, functions, decorations = (int(n, 16) for n in hints.split(", ")[:3])
    resize, minimise, maximise, close = 0x2, 0x8, 0x10, 0x20
    assert flags & 0x3 == 0x3 and functions & close, hints
    assert functions & (resize | minimise | maximise) == 0, hints
    title, menu, minimise_box, maximise_box, resize_handles = 0x8, 0x10, 0x20, 0x40, 0x4
    assert decorations & title and decorations & menu, hints
    assert decorations & (minimise_box | maximise_box | resize_handles) == 0, hints
    assert "SKIP_TASKBAR" in out, out


def test(session):
    window, origin = session.start_past_message()
    screen = Screen(origin)
    session.wait_screen(screen.play_enabled)
    if session.desktop.name == "wine":
        windows_frame(session, window)
    keys_after_reply(session, window, screen)
    size_requests(session, window, screen)
    menu_leaves_on_escape(session, window, screen)
    if session.desktop.name == "metacity":
        pings_in_finale(session, window, screen)
    session.quit_through_menu(window)


if __name__ == "__main__":
    xsession.main(test)
