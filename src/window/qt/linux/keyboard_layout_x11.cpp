#include <QChar>
#include <cstdint>

#include "window/qt/linux/keyboard_layout.h"
#include "window/qt/linux/layout_keys.h"
#include "window/qt/linux/x11_atoms.h"

// The XKB header names a field "explicit", which C++ reserves.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace klobbet {

namespace {

// The X keycodes from US Q to US M, among which lie all the US letters.
constexpr std::uint8_t kFirstKeycode = 24;
constexpr std::uint8_t kKeycodes = 35;

// Which script a keysym writes a letter of. Legacy keysyms are sorted by
// their block: Latin 2, 3, 4, 8 and 9 against kana, Arabic, Cyrillic, Greek,
// Hebrew, Thai and Hangul; the few signs those blocks also hold do not tip
// a count over 26 keys.
LetterKeys scriptOf(std::uint32_t keysym) {
    char32_t character = 0;
    if (keysym >= 0x01000100 && keysym <= 0x0110FFFF) {
        character = keysym - 0x01000000;
    } else if (keysym <= 0xFF) {
        character = keysym;  // Latin-1 keysyms are their own code points
    } else {
        switch (keysym >> 8) {
            case 0x01:
            case 0x02:
            case 0x03:
            case 0x12:
            case 0x13:
                return LetterKeys::Latin;
            case 0x04:
            case 0x05:
            case 0x06:
            case 0x07:
            case 0x0C:
            case 0x0D:
            case 0x0E:
                return LetterKeys::OtherScript;
            default:
                return LetterKeys::Unknown;
        }
    }
    if (!QChar::isLetter(character)) {
        return LetterKeys::Unknown;
    }
    return QChar::script(character) == QChar::Script_Latin ? LetterKeys::Latin
                                                           : LetterKeys::OtherScript;
}

// The group a key shows for the keyboard's group, by the key's own rule for
// a group it does not have.
int keyGroup(int group, std::uint8_t groupInfo) {
    const int groups = groupInfo & 0x0F;
    if (group < groups) {
        return group;
    }
    switch (groupInfo & 0xC0) {
        case XCB_XKB_GROUPS_WRAP_CLAMP_INTO_RANGE:
            return groups - 1;
        case XCB_XKB_GROUPS_WRAP_REDIRECT_INTO_RANGE: {
            const int target = (groupInfo >> 4) & 0x03;
            return target < groups ? target : 0;
        }
        default:
            return group % groups;
    }
}

}  // namespace

// The layout is what the unshifted letter keys of the active group give,
// by a majority: Dvorak has punctuation on four of them, Greek on one.
LetterKeys currentLetterKeys() {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr) {
        return LetterKeys::Unknown;
    }
    const auto stateCookie = xcb_xkb_get_state(connection, XCB_XKB_ID_USE_CORE_KBD);
    const auto mapCookie =
        xcb_xkb_get_map(connection, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_MAP_PART_KEY_SYMS, 0, 0, 0,
                        kFirstKeycode, kKeycodes, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    const XcbReply<xcb_xkb_get_state_reply_t> state(
        xcb_xkb_get_state_reply(connection, stateCookie, nullptr));
    const XcbReply<xcb_xkb_get_map_reply_t> map(
        xcb_xkb_get_map_reply(connection, mapCookie, nullptr));
    if (!state || !map || (map->present & XCB_XKB_MAP_PART_KEY_SYMS) == 0) {
        return LetterKeys::Unknown;
    }
    xcb_xkb_get_map_map_t parts{};
    xcb_xkb_get_map_map_unpack(xcb_xkb_get_map_map(map.get()), map->nTypes, map->nKeySyms,
                               map->nKeyActions, map->totalActions, map->totalKeyBehaviors,
                               map->virtualMods, map->totalKeyExplicit, map->totalModMapKeys,
                               map->totalVModMapKeys, map->present, &parts);
    int latin = 0;
    int other = 0;
    std::uint32_t keycode = map->firstKeySym;
    for (auto keys = xcb_xkb_get_map_map_syms_rtrn_iterator(map.get(), &parts); keys.rem > 0;
         xcb_xkb_key_sym_map_next(&keys), ++keycode) {
        const xcb_xkb_key_sym_map_t* key = keys.data;
        if (usLetterAt(keycode) == 0 || (key->groupInfo & 0x0F) == 0 || key->width == 0) {
            continue;
        }
        const int group = keyGroup(state->group, key->groupInfo);
        switch (scriptOf(xcb_xkb_key_sym_map_syms(key)[group * key->width])) {
            case LetterKeys::Latin:
                ++latin;
                break;
            case LetterKeys::OtherScript:
                ++other;
                break;
            case LetterKeys::Unknown:
                break;
        }
    }
    if (latin == other) {
        return LetterKeys::Unknown;
    }
    return latin > other ? LetterKeys::Latin : LetterKeys::OtherScript;
}

}  // namespace klobbet
