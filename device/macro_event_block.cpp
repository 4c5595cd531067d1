// Packing and unpacking of macro events in the service's exchange form.
#include "device/macro_event_block.h"

#include <array>
#include <cstdint>

namespace {

constexpr uint32_t kBlockMouse = 1;
constexpr uint32_t kBlockKey = 2;
constexpr uint32_t kBlockDelay = 3;
constexpr size_t kHeaderSize = 8;
constexpr size_t kEventSize = 8;
constexpr size_t kSpareBytes = 8;

constexpr uint16_t kFlagRelease = 0x1;
constexpr uint16_t kFlagExtended = 0x2;
constexpr int32_t kPauseVirtualKey = 0x13;
constexpr int32_t kNumLockVirtualKey = 144;
constexpr uint16_t kPauseScanCode = 0x45;

struct Transition {
    int32_t button;
    uint16_t press;
    uint16_t release;
};
constexpr std::array<Transition, 5> kTransitions{{
    {MB_LEFT, 0x0001, 0x0002},
    {MB_RIGHT, 0x0004, 0x0008},
    {MB_WHEEL, 0x0010, 0x0020},
    {MB_BUTTON4, 0x0040, 0x0080},
    {MB_BUTTON5, 0x0100, 0x0200},
}};

void Put32(uint8_t* at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        at[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}
void Put16(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}
uint32_t Get32(const uint8_t* at) {
    return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
           (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}
uint16_t Get16(const uint8_t* at) {
    return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

uint16_t MouseCode(const MacroEvent& event) {
    const int32_t state = event.state & 0xFF;
    for (const Transition& t : kTransitions) {
        if (t.button == event.value) {
            if (state == kMacroStatePress) {
                return t.press;
            }
            if (state == kMacroStateRelease) {
                return t.release;
            }
        }
    }
    return 0;
}

MacroEvent MouseEvent(uint16_t code) {
    for (const Transition& t : kTransitions) {
        if (t.press == code) {
            return {MET_MOUSE, t.button, kMacroStatePress};
        }
        if (t.release == code) {
            return {MET_MOUSE, t.button, kMacroStateRelease};
        }
    }
    return {MET_MOUSE, 0, 0};
}

void PackOne(const MacroEvent& event, uint8_t* at) {
    switch (event.type) {
    case MET_KEY: {
        uint16_t flags = 0;
        if ((event.state & 0xFF) != kMacroStatePress) {
            flags |= kFlagRelease;
        }
        if ((event.state & kMacroStateExtended) != 0 || ((event.value >> 16) & 0xFFFF) == kPauseVirtualKey) {
            flags |= kFlagExtended;
        }
        Put32(at, kBlockKey);
        Put16(at + 4, static_cast<uint32_t>(event.value) & 0xFFFF);
        Put16(at + 6, flags);
        break;
    }
    case MET_MOUSE:
        Put32(at, kBlockMouse);
        Put16(at + 4, MouseCode(event));
        break;
    default:
        Put32(at, kBlockDelay);
        Put32(at + 4, static_cast<uint32_t>(event.value));
        break;
    }
}

MacroEvent KeyEvent(uint16_t scan, uint16_t flags) {
    int32_t state = (flags & kFlagRelease) ? kMacroStateRelease : kMacroStatePress;
    int32_t virtualKey = 0;
    if (scan == kPauseScanCode) {
        virtualKey = (flags & kFlagExtended) ? kPauseVirtualKey : kNumLockVirtualKey;
    } else if (flags & kFlagExtended) {
        state |= kMacroStateExtended;
    }
    return {MET_KEY, (virtualKey << 16) | scan, state};
}

} // namespace

MacroEventBlock MacroEventsToBlock(const std::vector<MacroEvent>& events) {
    MacroEventBlock block(kHeaderSize + kEventSize * events.size() + kSpareBytes, 0);
    Put32(block.data() + 4, static_cast<uint32_t>(events.size()));
    for (size_t i = 0; i < events.size(); ++i) {
        PackOne(events[i], block.data() + kHeaderSize + kEventSize * i);
    }
    return block;
}

bool MacroEventsFromBlock(const MacroEventBlock& block, std::vector<MacroEvent>& events) {
    events.clear();
    if (block.size() < kHeaderSize) {
        return false;
    }
    const uint64_t count = Get32(block.data() + 4);
    if (count > (block.size() - kHeaderSize) / kEventSize) {
        return false;
    }
    events.reserve(static_cast<size_t>(count));
    for (uint64_t i = 0; i < count; ++i) {
        const uint8_t* at = block.data() + kHeaderSize + kEventSize * i;
        switch (Get32(at)) {
        case kBlockMouse:
            events.push_back(MouseEvent(Get16(at + 4)));
            break;
        case kBlockKey:
            events.push_back(KeyEvent(Get16(at + 4), Get16(at + 6)));
            break;
        case kBlockDelay: {
            const auto ms = static_cast<int32_t>(Get32(at + 4));
            events.push_back({MET_DELAY, ms, 0});
            break;
        }
        default:
            break;
        }
    }
    return true;
}
