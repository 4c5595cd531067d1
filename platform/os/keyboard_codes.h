// The one table that ties the three ways a physical key is numbered together: the Linux
// input (evdev) code, from which X11 key codes follow by an offset of 8; the PC set-1 make
// code with its E0 (extended) or E1 prefix; and the virtual key the key has on a US layout.
#pragma once

#include <cstdint>
#include <span>

namespace plat {

struct KeyCode {
    uint16_t evdev = 0;
    uint8_t scanCode = 0;
    bool extended = false;   // sent with an E0 prefix
    bool e1Prefix = false;   // sent as an E1 sequence (only Pause)
    uint16_t virtualKey = 0; // on a US layout; character keys may differ on others
};

inline constexpr uint32_t kX11KeycodeOffset = 8;

std::span<const KeyCode> AllKeyCodes();

// Null when the code is not a key of the table.
const KeyCode* KeyCodeFromEvdev(uint32_t evdev);
const KeyCode* KeyCodeFromX11Keycode(uint32_t keycode);
// E1 keys are never found this way: their make code belongs to another key.
const KeyCode* KeyCodeFromScanCode(uint16_t scanCode, bool extended);

// Key messages mark Num Lock as extended although its make code has no E0 prefix.
bool ExtendedInKeyMessages(const KeyCode& key);

} // namespace plat
