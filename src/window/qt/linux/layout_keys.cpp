#include "window/qt/linux/layout_keys.h"

#include <QChar>
#include <QKeyEvent>
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

char usLetterAt(std::uint32_t nativeScanCode) {
    if (nativeScanCode < kFirstLetterKeycode ||
        nativeScanCode >= kFirstLetterKeycode + kUsLetters.size()) {
        return 0;
    }
    return kUsLetters[nativeScanCode - kFirstLetterKeycode];
}

std::int16_t gameKeyCode(int qtKey, std::uint32_t nativeScanCode, LetterKeys (*layout)()) {
    const std::int16_t code = virtualKeyCode(qtKey);
    const char usLetter = usLetterAt(nativeScanCode);
    // A Latin letter is the key's own on any layout: the layout is read
    // only for the keys that may need it.
    if (usLetter == 0 || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        return code;
    }
    switch (layout()) {
        case LetterKeys::OtherScript:
            return static_cast<std::int16_t>(usLetter);
        case LetterKeys::Latin:
            return code;
        case LetterKeys::Unknown:
            break;
    }
    return isOtherScriptLetter(qtKey) ? static_cast<std::int16_t>(usLetter) : code;
}

std::int16_t gameKeyOf(const QKeyEvent& key) {
    return gameKeyCode(key.key(), key.nativeScanCode());
}

}  // namespace klobbet
