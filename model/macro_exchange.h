// The block in which a macro's events travel to and from the device service: a 32-bit
// zero, a 32-bit event count, then eight bytes per event (a 32-bit type and 32 bits of
// data), all little-endian. Blocks coming back from the service are outside input:
// unpacking accepts any bytes and never reads past them.
#pragma once

#include "model/model_types.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Event types inside the block.
enum : uint32_t {
    kExchangeMouse = 1,
    kExchangeKey = 2,
    kExchangeDelay = 3,
};

// Flags of a key entry.
enum : uint16_t {
    kExchangeKeyRelease = 0x0001,
    kExchangeKeyExtended = 0x0002,
};

constexpr size_t kExchangeHeaderSize = 8;
constexpr size_t kExchangeEntrySize = 8;

// The transition code of a mouse button press or release (0x0001 left down .. 0x0200
// button 5 up); 0 for a button or state outside the table.
uint16_t MouseTransitionCode(int32_t button, int32_t state);
// The mouse event of a transition code; button 0 with state 0 for a code outside the table.
MacroEvent MouseEventOfTransition(uint16_t code);

// The block for `events`, sized eight bytes per event plus sixteen (the tail is zero).
// Events of a type other than key, mouse or delay are left out and not counted.
std::vector<uint8_t> PackMacroEvents(std::span<const MacroEvent> events);

// The events of a block. Fails only when the block is shorter than its header; a count
// larger than the data reads the entries that are there. Entries of unknown type are
// skipped.
std::optional<std::vector<MacroEvent>> UnpackMacroEvents(std::span<const uint8_t> block);
