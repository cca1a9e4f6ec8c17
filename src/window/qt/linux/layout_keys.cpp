#include "window/qt/linux/layout_keys.h"

#include <QChar>
#include <array>

#include "window/qt/key_codes.h"

namespace klobbet {

namespace {

// The letters of a US keyboard by X11 keycode (evdev code + 8), from 24 (Q).
constexpr std::array<char, 35> kUsLetters = {
    'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', 0,   0,   0,   0,   'A', 'S', 'D', 'F',
    'G', 'H', 'J', 'K', 'L', 0,   0,   0,   0,   0,   'Z', 'X', 'C', 'V', 'B', 'N', 'M'};
constexpr std::uint32_t kFirstLetterKeycode = 24;

bool isOtherScriptLetter(int qtKey) {
    if (qtKey <= 0 || qtKey > 0xFFFF) {
        return false;
    }
    const QChar character(static_cast<char16_t>(qtKey));
    return character.isLetter() && character.script() != QChar::Script_Latin &&
           character.script() != QChar::Script_Common;
}

}  // namespace

std::int16_t gameKeyCode(int qtKey, std::uint32_t nativeScanCode) {
    const std::int16_t code = virtualKeyCode(qtKey);
    if (code != 0 || !isOtherScriptLetter(qtKey) || nativeScanCode < kFirstLetterKeycode ||
        nativeScanCode >= kFirstLetterKeycode + kUsLetters.size()) {
        return code;
    }
    return static_cast<std::int16_t>(kUsLetters[nativeScanCode - kFirstLetterKeycode]);
}

std::int16_t gameKeyOf(const QKeyEvent& key) {
    return gameKeyCode(key.key(), key.nativeScanCode());
}

}  // namespace klobbet
