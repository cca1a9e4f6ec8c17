#pragma once

namespace klobbet {

// What the letter keys of the keyboard's current layout give: Latin letters
// (QWERTY, AZERTY, QWERTZ, Dvorak...), letters of another script (Greek,
// Russian, Hebrew, Arabic, Thai...), or Unknown where the window system does
// not let the game read the layout.
enum class LetterKeys { Latin, OtherScript, Unknown };

// Read from the window system at each call, so that a layout switched in the
// middle of a match counts from the next key. Unknown on Wayland, where Qt
// keeps the keymap the compositor sends to itself.
LetterKeys currentLetterKeys();

}  // namespace klobbet
