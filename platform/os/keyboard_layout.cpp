// Layout tables, the built-in US layout and the process-wide current layout.
#include "platform/os/keyboard_layout.h"

#include "platform/os/virtual_keys.h"

#include <mutex>
#include <utility>

namespace plat {
namespace {

// Printable ASCII that has a punctuation virtual key of its own wherever it sits.
uint16_t PunctuationVirtualKey(char32_t c) {
    switch (c) {
    case U';':
        return VK_OEM_1;
    case U'=':
        return VK_OEM_PLUS;
    case U',':
        return VK_OEM_COMMA;
    case U'-':
        return VK_OEM_MINUS;
    case U'.':
        return VK_OEM_PERIOD;
    case U'/':
        return VK_OEM_2;
    case U'`':
        return VK_OEM_3;
    case U'[':
        return VK_OEM_4;
    case U'\\':
        return VK_OEM_5;
    case U']':
        return VK_OEM_6;
    case U'\'':
        return VK_OEM_7;
    default:
        return 0;
    }
}

bool IsLetterKey(uint16_t vk) {
    return vk >= VK_A && vk <= VK_A + 25;
}
bool IsPunctuationKey(uint16_t vk) {
    return (vk >= VK_OEM_1 && vk <= VK_OEM_3) || (vk >= VK_OEM_4 && vk <= VK_OEM_8);
}
// The keypad types digits and operators too, but nobody means it when asking for one.
bool IsKeypadKey(uint16_t vk) {
    return (vk >= VK_NUMPAD0 && vk <= VK_DIVIDE) || vk == VK_OEM_NEC_EQUAL || vk == VK_ABNT_C2;
}

std::map<uint16_t, KeyboardLayout::Characters> UsTable() {
    // Main-block keys by their first evdev code, two characters (unshifted, shifted) each.
    struct Row {
        uint16_t firstEvdev;
        std::u32string_view pairs;
    };
    static constexpr Row kRows[] = {
        {2, U"1!2@3#4$5%6^7&8*9(0)-_=+"},
        {16, U"qQwWeErRtTyYuUiIoOpP[{]}"},
        {30, U"aAsSdDfFgGhHjJkKlL;:'\"`~"},
        {43, U"\\|zZxXcCvVbBnNmM,<.>/?"},
        {57, U"  "},
        {86, U"\\|"},
    };
    std::map<uint16_t, KeyboardLayout::Characters> table;
    for (const Row& row : kRows) {
        for (size_t i = 0; i + 1 < row.pairs.size(); i += 2) {
            table[static_cast<uint16_t>(row.firstEvdev + i / 2)] = {row.pairs[i], row.pairs[i + 1], 0, 0};
        }
    }
    // Keys that type control characters, so that they too can be asked for by character.
    table[1] = {U'\x1b', U'\x1b', 0, 0};
    table[14] = {U'\b', U'\b', 0, 0};
    table[15] = {U'\t', U'\t', 0, 0};
    table[28] = {U'\r', U'\r', 0, 0};
    return table;
}

std::mutex g_layoutLock;
std::shared_ptr<const KeyboardLayout> g_layout;

} // namespace

KeyboardLayout::KeyboardLayout(std::string name, std::map<uint16_t, Characters> byEvdev)
    : m_name(std::move(name)), m_byEvdev(std::move(byEvdev)) {}

std::shared_ptr<const KeyboardLayout> KeyboardLayout::UsDefault() {
    static const auto layout = std::make_shared<const KeyboardLayout>("us", UsTable());
    return layout;
}

char32_t KeyboardLayout::Character(uint16_t evdev, ShiftState state) const {
    auto found = m_byEvdev.find(evdev);
    return found == m_byEvdev.end() ? 0 : found->second[static_cast<size_t>(state)];
}

uint16_t KeyboardLayout::VirtualKeyOf(const KeyCode& key) const {
    if (!IsLetterKey(key.virtualKey) && !IsPunctuationKey(key.virtualKey)) {
        return key.virtualKey;
    }
    char32_t c = Character(key.evdev, ShiftState::None);
    if (c >= U'a' && c <= U'z') {
        return static_cast<uint16_t>(VK_A + (c - U'a'));
    }
    if (uint16_t punctuation = PunctuationVirtualKey(c)) {
        return punctuation;
    }
    return key.virtualKey;
}

const KeyCode* KeyboardLayout::KeyOfVirtualKey(uint16_t virtualKey) const {
    switch (virtualKey) {
    case VK_SHIFT:
        virtualKey = VK_LSHIFT;
        break;
    case VK_CONTROL:
        virtualKey = VK_LCONTROL;
        break;
    case VK_MENU:
        virtualKey = VK_LMENU;
        break;
    default:
        break;
    }
    for (const KeyCode& key : AllKeyCodes()) {
        if (VirtualKeyOf(key) == virtualKey) {
            return &key;
        }
    }
    return nullptr;
}

char32_t KeyboardLayout::CharacterOfVirtualKey(uint16_t virtualKey) const {
    if (virtualKey >= VK_0 && virtualKey <= VK_0 + 9) {
        return virtualKey;
    }
    if (IsLetterKey(virtualKey)) {
        return U'a' + (virtualKey - VK_A);
    }
    // A key typing a character outside ASCII keeps its US virtual key, which another key
    // may have earned by typing the punctuation it stands for; that key is the better answer.
    char32_t byPlace = 0;
    for (const KeyCode& key : AllKeyCodes()) {
        char32_t c = Character(key.evdev, ShiftState::None);
        if (key.e1Prefix || c == 0 || VirtualKeyOf(key) != virtualKey) {
            continue;
        }
        if (PunctuationVirtualKey(c) == virtualKey) {
            return c;
        }
        byPlace = byPlace ? byPlace : c;
    }
    return byPlace;
}

std::optional<KeyStroke> KeyboardLayout::KeyStrokeFor(char32_t c) const {
    if (c == 0) {
        return std::nullopt;
    }
    for (uint8_t state = 0; state < 4; ++state) {
        for (const KeyCode& key : AllKeyCodes()) {
            if (key.e1Prefix || IsKeypadKey(key.virtualKey) ||
                Character(key.evdev, static_cast<ShiftState>(state)) != c) {
                continue;
            }
            bool altGr = (state & 2) != 0;
            return KeyStroke{&key, VirtualKeyOf(key), (state & 1) != 0, altGr, altGr};
        }
    }
    return std::nullopt;
}

std::shared_ptr<const KeyboardLayout> CurrentKeyboardLayout() {
    std::lock_guard lock(g_layoutLock);
    return g_layout ? g_layout : KeyboardLayout::UsDefault();
}

void SetKeyboardLayout(std::shared_ptr<const KeyboardLayout> layout) {
    std::lock_guard lock(g_layoutLock);
    g_layout = std::move(layout);
}

uint16_t VirtualKeyFromScanCode(uint16_t scanCode, bool extended) {
    uint16_t prefix = scanCode >> 8;
    if (prefix == 0xE1 && (scanCode & 0xFF) == 0x1D) {
        return VK_PAUSE; // the first make code of the Pause sequence
    }
    if (prefix != 0 && prefix != 0xE0) {
        return 0;
    }
    const KeyCode* key = KeyCodeFromScanCode(scanCode & 0xFF, extended || prefix == 0xE0);
    return key ? CurrentKeyboardLayout()->VirtualKeyOf(*key) : 0;
}

} // namespace plat
