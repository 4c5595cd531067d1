// Any bytes from the service as a macro event block: refused or unpacked, never overread,
// and what unpacks packs again.
#include "device/macro_event_block.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const MacroEventBlock block(data, data + size);
    std::vector<MacroEvent> events;
    if (MacroEventsFromBlock(block, events)) {
        std::vector<MacroEvent> again;
        if (!MacroEventsFromBlock(MacroEventsToBlock(events), again) || again.size() != events.size()) {
            __builtin_trap();
        }
    }
    return 0;
}
