#pragma once

#include <cstdint>

namespace klobbet {

// The code of a key as the game sees it under X11 and Wayland:
// virtualKeyCode, except that a key whose layout gives a letter of another
// script than Latin (Cyrillic, Greek, Hebrew...) counts as the letter a US
// keyboard has at its place, found by its native scan code (an X11 or XKB
// keycode), as on the classic desktop.
std::int16_t gameKeyCode(int qtKey, std::uint32_t nativeScanCode);

}  // namespace klobbet
