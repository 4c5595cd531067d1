// Checking macro event blocks as they arrive from programs and files: a 32-bit zero, a
// 32-bit count, eight bytes per event. A block may carry up to eight spare bytes at its end
// (programs allocate eight bytes per event plus sixteen); they are dropped.
#pragma once

#include "device/contract.h"

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr uint32_t kEventTypeMouse = 1;
constexpr uint32_t kEventTypeKey = 2;
constexpr uint32_t kEventTypeDelay = 3;

struct BlockEvent {
    uint32_t type = 0;
    uint16_t code = 0;  // scan code or mouse transition code
    uint16_t flags = 0; // key flags: bit 0 release, bit 1 extended
    uint32_t delay = 0; // milliseconds, for delays
};

// The events of a well-formed block; E_INVALIDARG for anything else.
HRESULT DecodeEventBlock(const uint8_t* data, size_t size, std::vector<BlockEvent>& events);

// The canonical block (no spare bytes) of a well-formed block; E_INVALIDARG otherwise.
HRESULT NormalizeEventBlock(const MacroEventBlock& block, MacroEventBlock& normalized);

MacroEventBlock EmptyEventBlock();
