#pragma once

#include <cstdint>

#include "window/qt/linux/keyboard_layout.h"

namespace klobbet {

// The US letter at this native scan code (an X11 or XKB keycode), upper
// case; 0 off the letter keys.
char usLetterAt(std::uint32_t nativeScanCode);

// The code of a key as the game sees it under X11 and Wayland:
// virtualKeyCode, except that on a layout whose letters are of another
// script than Latin (Greek, Russian, Hebrew...) a letter key counts as the
// letter a US keyboard has at its place, whatever it gives (Greek has ";"
// where US has Q), as on the classic desktop. A Latin layout keeps its own
// letters: Dvorak's ";" at US Z's place does not play. Where the layout
// cannot be read, only keys giving a letter of another script count by their
// US place.
std::int16_t gameKeyCode(int qtKey, std::uint32_t nativeScanCode,
                         LetterKeys (*layout)() = currentLetterKeys);

}  // namespace klobbet
