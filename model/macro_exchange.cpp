// Packing and unpacking macro events in the device service's exchange block.
#include "model/macro_exchange.h"

#include <algorithm>
#include <array>

namespace {

constexpr size_t kExchangeSpareBytes = 8;
constexpr uint16_t kScanNumLockPause = 0x45;
constexpr uint16_t kVkPause = 0x13;
constexpr uint16_t kVkNumLock = 0x90;

struct Transition {
    int32_t button;
    uint16_t press;
    uint16_t release;
};

constexpr std::array<Transition, 5> kTransitions = {{
    {MB_LEFT, 0x0001, 0x0002},
    {MB_RIGHT, 0x0004, 0x0008},
    {MB_WHEEL, 0x0010, 0x0020},
    {MB_BUTTON4, 0x0040, 0x0080},
    {MB_BUTTON5, 0x0100, 0x0200},
}};

void Put16(uint8_t* at, uint16_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value) {
    Put16(at, static_cast<uint16_t>(value));
    Put16(at + 2, static_cast<uint16_t>(value >> 16));
}

uint16_t Get16(const uint8_t* at) {
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}

uint32_t Get32(const uint8_t* at) {
    return static_cast<uint32_t>(Get16(at)) | static_cast<uint32_t>(Get16(at + 2)) << 16;
}

uint16_t KeyFlags(const MacroEvent& event) {
    uint16_t flags = 0;
    if ((event.state & 0xFF) != kMacroStatePress) {
        flags |= kExchangeKeyRelease;
    }
    const auto virtualKey = static_cast<uint16_t>(static_cast<uint32_t>(event.value) >> 16);
    if ((event.state & kMacroStateExtended) || virtualKey == kVkPause) {
        flags |= kExchangeKeyExtended;
    }
    return flags;
}

// Writes one entry; false for an event type the block cannot carry.
bool PackEntry(const MacroEvent& event, uint8_t* at) {
    switch (event.type) {
    case MET_KEY:
        Put32(at, kExchangeKey);
        Put16(at + 4, static_cast<uint16_t>(event.value));
        Put16(at + 6, KeyFlags(event));
        return true;
    case MET_MOUSE:
        Put32(at, kExchangeMouse);
        Put16(at + 4, MouseTransitionCode(event.value, event.state));
        return true;
    case MET_DELAY:
        Put32(at, kExchangeDelay);
        Put32(at + 4, static_cast<uint32_t>(event.value));
        return true;
    default:
        return false;
    }
}

MacroEvent KeyEventOf(uint16_t scanCode, uint16_t flags) {
    int32_t state = (flags & kExchangeKeyRelease) ? kMacroStateRelease : kMacroStatePress;
    uint16_t virtualKey = 0;
    if (scanCode == kScanNumLockPause) {
        // The two keys share a scan code; the extended flag tells Pause from Num Lock.
        virtualKey = (flags & kExchangeKeyExtended) ? kVkPause : kVkNumLock;
    } else if (flags & kExchangeKeyExtended) {
        state |= kMacroStateExtended;
    }
    return MacroEvent{MET_KEY, static_cast<int32_t>(virtualKey) << 16 | scanCode, state};
}

std::optional<MacroEvent> UnpackEntry(const uint8_t* at) {
    switch (Get32(at)) {
    case kExchangeMouse:
        return MouseEventOfTransition(Get16(at + 4));
    case kExchangeKey:
        return KeyEventOf(Get16(at + 4), Get16(at + 6));
    case kExchangeDelay:
        return MacroEvent{MET_DELAY, static_cast<int32_t>(Get32(at + 4)), 0};
    default:
        return std::nullopt;
    }
}

} // namespace

uint16_t MouseTransitionCode(int32_t button, int32_t state) {
    for (const Transition& t : kTransitions) {
        if (t.button == button) {
            return state == kMacroStatePress ? t.press : state == kMacroStateRelease ? t.release : 0;
        }
    }
    return 0;
}

MacroEvent MouseEventOfTransition(uint16_t code) {
    for (const Transition& t : kTransitions) {
        if (code == t.press) {
            return MacroEvent{MET_MOUSE, t.button, kMacroStatePress};
        }
        if (code == t.release) {
            return MacroEvent{MET_MOUSE, t.button, kMacroStateRelease};
        }
    }
    return MacroEvent{MET_MOUSE, MB_NULL, 0};
}

std::vector<uint8_t> PackMacroEvents(std::span<const MacroEvent> events) {
    std::vector<uint8_t> block(kExchangeHeaderSize + events.size() * kExchangeEntrySize +
                               kExchangeSpareBytes);
    uint32_t count = 0;
    for (const MacroEvent& event : events) {
        if (PackEntry(event, block.data() + kExchangeHeaderSize + count * kExchangeEntrySize)) {
            ++count;
        }
    }
    Put32(block.data() + 4, count);
    block.resize(kExchangeHeaderSize + count * kExchangeEntrySize + kExchangeSpareBytes);
    return block;
}

std::optional<std::vector<MacroEvent>> UnpackMacroEvents(std::span<const uint8_t> block) {
    if (block.size() < kExchangeHeaderSize) {
        return std::nullopt;
    }
    const size_t present = (block.size() - kExchangeHeaderSize) / kExchangeEntrySize;
    const size_t count = std::min<size_t>(Get32(block.data() + 4), present);
    std::vector<MacroEvent> events;
    events.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        if (const auto event = UnpackEntry(block.data() + kExchangeHeaderSize + i * kExchangeEntrySize)) {
            events.push_back(*event);
        }
    }
    return events;
}
