// Any bytes as a macro event block: decoding fails cleanly or accepts a block whose
// normalised form decodes to the same events.
#include "service/event_block.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<BlockEvent> events;
    if (FAILED(DecodeEventBlock(data, size, events))) {
        return 0;
    }
    MacroEventBlock normalized;
    std::vector<BlockEvent> again;
    if (FAILED(NormalizeEventBlock(MacroEventBlock(data, data + size), normalized)) ||
        FAILED(DecodeEventBlock(normalized.data(), normalized.size(), again)) ||
        again.size() != events.size() || normalized.size() != 8 + 8 * events.size()) {
        std::abort();
    }
    return 0;
}
