"""The protocol log reader against both libwayland formats: the tests under
Wayland find, size and follow the game's windows through it, so a log it
misreads makes every one of them wait in vain, and it is what fails a test
whose window closed while its frame was due."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import wayland_log  # noqa: E402

# libwayland 1.21 (Debian 12), with Qt 6.4: one minimum size per window.
OLD_FORMAT = """\
[1234.567]  -> xdg_wm_base@9.get_xdg_surface(new id xdg_surface@20, wl_surface@18)
[1234.568]  -> xdg_surface@20.get_toplevel(new id xdg_toplevel@21)
[1234.569]  -> xdg_toplevel@21.set_title("Klobbet")
[1234.570]  -> xdg_toplevel@21.set_min_size(720, 612)
[1234.571] wl_keyboard@14.enter(77, wl_surface@18, array[0])
"""

# libwayland 1.23 (Debian 13), with Qt 6.8: `#` ids, the queue's name, and
# the minimum size sent again with Qt's own frame.
NEW_FORMAT = """\
[1234.567] {Default Queue}  -> xdg_wm_base#9.get_xdg_surface(new id xdg_surface#20, wl_surface#18)
[1234.568] {Default Queue}  -> xdg_surface#20.get_toplevel(new id xdg_toplevel#21)
[1234.569] {Default Queue}  -> xdg_toplevel#21.set_title("Klobbet")
[1234.570] {Default Queue}  -> xdg_toplevel#21.set_min_size(720, 612)
[1234.571] {Default Queue}  -> xdg_toplevel#21.set_min_size(726, 645)
[1234.572] {Default Queue} wl_keyboard#14.enter(77, wl_surface#18, array[0])
"""


class WaylandLogTest(unittest.TestCase):
    def read(self, log):
        with tempfile.NamedTemporaryFile("w", suffix=".log", delete=False) as file:
            file.write(log)
        self.addCleanup(os.unlink, file.name)
        return wayland_log.WaylandWindows(file.name)

    def test_both_formats_give_the_window_its_own_size_and_focus(self):
        for log in (OLD_FORMAT, NEW_FORMAT):
            windows = self.read(log)
            (window,) = windows.named("Klobbet")
            self.assertEqual(windows.size(window), (720, 612))
            self.assertTrue(windows.has_focus(window))

    def test_a_window_that_takes_a_closed_window_s_id_has_its_own_size(self):
        windows = self.read(NEW_FORMAT.replace('"Klobbet"', '"Klobbet :"').replace(
            "(720, 612)", "(457, 100)") + """\
[1234.600] {Default Queue}  -> xdg_toplevel#21.destroy()
[1234.601] {Default Queue}  -> xdg_surface#20.get_toplevel(new id xdg_toplevel#21)
[1234.602] {Default Queue}  -> xdg_toplevel#21.set_title("Klobbet")
[1234.603] {Default Queue}  -> xdg_toplevel#21.set_min_size(720, 612)
""")
        self.assertEqual(windows.named("Klobbet :"), [])
        (window,) = windows.named("Klobbet")
        self.assertEqual(windows.size(window), (720, 612))

    def test_a_keyboard_on_a_destroyed_surface_focuses_nothing(self):
        windows = self.read(OLD_FORMAT + "[1234.600] wl_keyboard@14.enter(78, nil, array[0])\n")
        (window,) = windows.named("Klobbet")
        self.assertFalse(windows.has_focus(window))

    def test_a_window_destroyed_with_its_frame_due_is_caught_in_both_formats(self):
        # A menu (a popup, no toplevel) may close mid-frame: Qt closes it.
        # Times are in ms.
        closing = """\
[1300.000]  -> wl_surface@18.frame(new id wl_callback@40)
[1300.500]  -> wl_surface@30.frame(new id wl_callback@41)
[1340.000]  -> wl_surface@30.destroy()
[1350.000] discarded wl_callback@40.done(7)
[1351.000]  -> wl_surface@18.frame(new id wl_callback@42)
[1400.000]  -> wl_surface@18.destroy()
"""
        self.assertEqual(wayland_log.closed_mid_frame(OLD_FORMAT + closing), [(18, 42, 49.0)])
        new = closing.replace("@", "#").replace("]  ->", "] {Default Queue}  ->")
        self.assertEqual(wayland_log.closed_mid_frame(NEW_FORMAT + new), [(18, 42, 49.0)])
        answered = closing.replace("[1400.000]", "[1390.000] wl_callback@42.done(8)\n[1400.000]")
        self.assertEqual(wayland_log.closed_mid_frame(OLD_FORMAT + answered), [])


if __name__ == "__main__":
    unittest.main()
