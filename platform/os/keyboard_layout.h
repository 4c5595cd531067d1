// A keyboard layout: which character each key types in each shift state. Everything the
// programs ask of a layout (a key's virtual key, the character behind a virtual key, the
// keys and modifiers that type a character) is derived here from that one table, so the
// built-in US layout and layouts read through xkbcommon answer alike.
#pragma once

#include "platform/os/keyboard_codes.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace plat {

// Index into a key's characters. AltGr stands for Ctrl+Alt, as key records write it.
enum class ShiftState : uint8_t { None = 0, Shift = 1, AltGr = 2, ShiftAltGr = 3 };

// A key with the modifiers it must be pressed with.
struct KeyStroke {
    const KeyCode* key = nullptr;
    uint16_t virtualKey = 0;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

class KeyboardLayout {
public:
    using Characters = std::array<char32_t, 4>; // by ShiftState; 0 = types nothing

    KeyboardLayout(std::string name, std::map<uint16_t, Characters> byEvdev);

    // The built-in US layout: the answer whenever no other layout is known.
    static std::shared_ptr<const KeyboardLayout> UsDefault();

    const std::string& Name() const { return m_name; }
    char32_t Character(uint16_t evdev, ShiftState state) const;
    // The key's virtual key here: letters and punctuation follow what the key types.
    uint16_t VirtualKeyOf(const KeyCode& key) const;
    // The character a virtual key stands for: digits and letters their own (letters in
    // lower case, as typed), other keys what they type unshifted; 0 when none.
    char32_t CharacterOfVirtualKey(uint16_t virtualKey) const;
    // The key carrying a virtual key; Shift, Ctrl and Alt without a side mean the left one.
    const KeyCode* KeyOfVirtualKey(uint16_t virtualKey) const;
    // The first key that types `c`, trying every key unshifted before any needs a modifier.
    std::optional<KeyStroke> KeyStrokeFor(char32_t c) const;

private:
    std::string m_name;
    std::map<uint16_t, Characters> m_byEvdev;
};

// The layout in use. Never null: the US default until another is set; null restores it.
std::shared_ptr<const KeyboardLayout> CurrentKeyboardLayout();
void SetKeyboardLayout(std::shared_ptr<const KeyboardLayout> layout);

// The virtual key of a make code in the current layout, left and right modifiers told
// apart. `scanCode` may carry the prefix in its high byte (0xE0.., 0xE1..); 0 when unknown.
uint16_t VirtualKeyFromScanCode(uint16_t scanCode, bool extended);

} // namespace plat
