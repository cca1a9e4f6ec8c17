#pragma once

namespace klobbet {

// Whether every key release the window system delivers is a physical one.
// On X11 this asks the server for detectable auto-repeat, under which a held
// key sends repeated presses and one release when it is let go; true when
// the server grants it. On Wayland the compositor sends no repeats at all
// (Qt makes them itself from the keyboard's repeat rate, and flags each of
// them): true as well. False on an X server without the XKB extension,
// which sends a release and a press for every repeat.
bool releasesArePhysical();

}  // namespace klobbet
