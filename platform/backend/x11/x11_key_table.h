// From the key a keyboard reports (its evdev code) to the key the programs see: the PC
// set-1 make code, the E0 flag as key messages carry it, and the virtual-key code of a
// US layout. Positional on purpose: the programs name keys by where they sit.
#pragma once

#include <cstdint>
#include <optional>

namespace plat::x11 {

struct PcKey {
    std::uint16_t scanCode{0};
    bool extended{false};
    std::uint16_t virtualKey{0};
};

// Keys of the keypad that double as cursor keys carry their numeric virtual key when
// `numeric` is true (Num Lock on), else the cursor key's. Nullopt for keys without a PC code.
std::optional<PcKey> PcKeyFromEvdev(unsigned evdevCode, bool numeric);

// The left- and right-hand virtual keys of a modifier key (0xA0..0xA5), or 0.
std::uint16_t SidedVirtualKey(unsigned evdevCode);

} // namespace plat::x11
