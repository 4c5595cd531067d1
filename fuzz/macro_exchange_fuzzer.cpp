// Feeds arbitrary bytes to the macro block reader as if the device service had sent them.
// Whatever is read must pack and read back to the same events.
#include "model/macro_exchange.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto events = UnpackMacroEvents(std::span<const uint8_t>(data, size));
    if (!events) {
        return 0;
    }
    const auto again = UnpackMacroEvents(PackMacroEvents(*events));
    if (!again || *again != *events) {
        __builtin_trap();
    }
    return 0;
}
