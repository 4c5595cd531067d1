// Decoding of macro event blocks; every size and field is checked before use.
#include "service/event_block.h"

namespace {

constexpr size_t kHeaderSize = 8;
constexpr size_t kEventSize = 8;
constexpr size_t kSpareBytes = 8;
constexpr uint16_t kMaxKeyFlags = 3;

uint32_t Word(const uint8_t* at) {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
           static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

uint16_t Half(const uint8_t* at) {
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}

bool IsMouseCode(uint16_t code) {
    // Zero stands for a transition the sender could not name.
    return code == 0 || (code <= 0x200 && (code & (code - 1)) == 0);
}

bool DecodeEvent(const uint8_t* at, BlockEvent& event) {
    event.type = Word(at);
    switch (event.type) {
    case kEventTypeMouse:
        event.code = Half(at + 4);
        return IsMouseCode(event.code) && Half(at + 6) == 0;
    case kEventTypeKey:
        event.code = Half(at + 4);
        event.flags = Half(at + 6);
        return event.flags <= kMaxKeyFlags;
    case kEventTypeDelay:
        event.delay = Word(at + 4);
        return true;
    default:
        return false;
    }
}

} // namespace

HRESULT DecodeEventBlock(const uint8_t* data, size_t size, std::vector<BlockEvent>& events) {
    events.clear();
    if (data == nullptr || size < kHeaderSize || Word(data) != 0) {
        return E_INVALIDARG;
    }
    const uint32_t count = Word(data + 4);
    if (count > kMaxMacroEvents) {
        return E_INVALIDARG;
    }
    const size_t needed = kHeaderSize + kEventSize * count;
    if (size < needed || size > needed + kSpareBytes) {
        return E_INVALIDARG;
    }
    events.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        if (!DecodeEvent(data + kHeaderSize + kEventSize * i, events[i])) {
            events.clear();
            return E_INVALIDARG;
        }
    }
    return S_OK;
}

HRESULT NormalizeEventBlock(const MacroEventBlock& block, MacroEventBlock& normalized) {
    std::vector<BlockEvent> events;
    const HRESULT hr = DecodeEventBlock(block.data(), block.size(), events);
    if (FAILED(hr)) {
        return hr;
    }
    normalized.assign(block.begin(),
                      block.begin() + static_cast<long>(kHeaderSize + kEventSize * events.size()));
    return S_OK;
}

MacroEventBlock EmptyEventBlock() {
    return MacroEventBlock(kHeaderSize, 0);
}
