#include "window/qt/detectable_repeat.h"

namespace klobbet {

// Windows repeats a held key as presses only, flagged as repeats, and sends
// one release when the key is let go.
bool releasesArePhysical() {
    return true;
}

}  // namespace klobbet
