"""What the game printed: the faults it reports that fail any test, and
the part of it worth reading when one fails."""

import wayland_log

SANITIZER_MARKS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:")


def assert_no_fault(output, wayland):
    assert not any(mark in output for mark in SANITIZER_MARKS), "the game reported a fault"
    if wayland:
        early = wayland_log.closed_mid_frame(output)
        assert not early, ("windows closed while their frame was due (wl_surface, wl_callback,"
                           f" ms since it was asked for): {early}")


def for_reading(output, wayland):
    """Under Wayland, the protocol log but for its last 60 lines is left out."""
    if not wayland:
        return output
    lines = output.splitlines()
    return "\n".join([line for line in lines[:-60] if not line.startswith("[")] + lines[-60:])
