// Key display names. The English table holds every key that types no character or whose
// character would be ambiguous (the keypad); the layout names the rest.
#include "platform/os/key_name_text.h"

#include "platform/os/keyboard_codes.h"
#include "platform/os/keyboard_layout.h"
#include "platform/text/compare.h"

#include <algorithm>
#include <string_view>

namespace plat {
namespace {

struct NamedKey {
    uint8_t scanCode;
    bool extended;
    std::u16string_view name;
};

constexpr NamedKey kNames[] = {
    {0x01, false, u"Esc"},
    {0x0E, false, u"Backspace"},
    {0x0F, false, u"Tab"},
    {0x1C, false, u"Enter"},
    {0x1D, false, u"Ctrl"},
    {0x2A, false, u"Shift"},
    {0x36, false, u"Right Shift"},
    {0x37, false, u"Num *"},
    {0x38, false, u"Alt"},
    {0x39, false, u"Space"},
    {0x3A, false, u"Caps Lock"},
    {0x3B, false, u"F1"},
    {0x3C, false, u"F2"},
    {0x3D, false, u"F3"},
    {0x3E, false, u"F4"},
    {0x3F, false, u"F5"},
    {0x40, false, u"F6"},
    {0x41, false, u"F7"},
    {0x42, false, u"F8"},
    {0x43, false, u"F9"},
    {0x44, false, u"F10"},
    {0x45, false, u"Pause"},
    {0x46, false, u"Scroll Lock"},
    {0x47, false, u"Num 7"},
    {0x48, false, u"Num 8"},
    {0x49, false, u"Num 9"},
    {0x4A, false, u"Num -"},
    {0x4B, false, u"Num 4"},
    {0x4C, false, u"Num 5"},
    {0x4D, false, u"Num 6"},
    {0x4E, false, u"Num +"},
    {0x4F, false, u"Num 1"},
    {0x50, false, u"Num 2"},
    {0x51, false, u"Num 3"},
    {0x52, false, u"Num 0"},
    {0x53, false, u"Num Del"},
    {0x54, false, u"Sys Req"},
    {0x57, false, u"F11"},
    {0x58, false, u"F12"},
    {0x59, false, u"Num ="},
    {0x64, false, u"F13"},
    {0x65, false, u"F14"},
    {0x66, false, u"F15"},
    {0x67, false, u"F16"},
    {0x68, false, u"F17"},
    {0x69, false, u"F18"},
    {0x6A, false, u"F19"},
    {0x6B, false, u"F20"},
    {0x6C, false, u"F21"},
    {0x6D, false, u"F22"},
    {0x6E, false, u"F23"},
    {0x76, false, u"F24"},
    {0x7E, false, u"Num ,"}, // Key names are asked for with the extended bit whenever the virtual key is the
    // Brazilian keypad separator, so that key carries its name in both forms.
    {0x7E, true, u"Num ,"},
    {0x1C, true, u"Num Enter"},
    {0x1D, true, u"Right Ctrl"},
    {0x35, true, u"Num /"},
    {0x37, true, u"Prnt Scrn"},
    {0x38, true, u"Right Alt"},
    {0x45, true, u"Num Lock"},
    {0x46, true, u"Break"},
    {0x47, true, u"Home"},
    {0x48, true, u"Up"},
    {0x49, true, u"Page Up"},
    {0x4B, true, u"Left"},
    {0x4D, true, u"Right"},
    {0x4F, true, u"End"},
    {0x50, true, u"Down"},
    {0x51, true, u"Page Down"},
    {0x52, true, u"Insert"},
    {0x53, true, u"Delete"},
    {0x5B, true, u"Left Windows"},
    {0x5C, true, u"Right Windows"},
    {0x5D, true, u"Application"},
};

// Spacing forms are shown for dead keys, so the layout gives them already; control
// characters and unpaired surrogates name nothing.
std::u16string CharacterName(char32_t c) {
    if (c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        return {};
    }
    if (c <= 0xFFFF) {
        return std::u16string(1, ToUpperUnit(static_cast<char16_t>(c)));
    }
    c -= 0x10000;
    return {static_cast<char16_t>(0xD800 + (c >> 10)), static_cast<char16_t>(0xDC00 + (c & 0x3FF))};
}

} // namespace

std::u16string KeyNameText(uint16_t scanCode, bool extended) {
    if (scanCode > 0xFF) {
        return {};
    }
    auto named = std::find_if(std::begin(kNames), std::end(kNames), [&](const NamedKey& key) {
        return key.scanCode == scanCode && key.extended == extended;
    });
    if (named != std::end(kNames)) {
        return std::u16string(named->name.substr(0, kMaxKeyNameLength));
    }
    const KeyCode* key = KeyCodeFromScanCode(scanCode, extended);
    if (!key) {
        return {};
    }
    return CharacterName(CurrentKeyboardLayout()->Character(key->evdev, ShiftState::None));
}

} // namespace plat
