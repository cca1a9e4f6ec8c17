#include <QKeyEvent>

#include "window/qt/key_codes.h"

namespace klobbet {

// Windows names every key by its virtual-key code, the game's own codes;
// the letter keys of a non-Latin layout give the codes of the letters a US
// keyboard has at their places, so no layout needs reading here.
std::int16_t gameKeyOf(const QKeyEvent& key) {
    const quint32 code = key.nativeVirtualKey();
    if (code > 0 && code < 256) {
        return static_cast<std::int16_t>(code);
    }
    // Keys that Qt makes up itself carry no native code.
    return virtualKeyCode(key.key());
}

}  // namespace klobbet
