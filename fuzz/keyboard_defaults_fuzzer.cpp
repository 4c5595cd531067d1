// Any bytes as a keyboard defaults file, read after a valid one-record definition.
#include "model/keyboard_definition.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One record named "a" with the make code 0x1E.
    std::vector<uint8_t> contents = {1, 0, 0, 0, 2, 0, 0, 0, 'a', 0, 0, 0, 0, 0, 0x1E};
    contents.resize(4 + CKeyboardDefinition::kRecordBytesWithoutName + 2);
    CKeyboardDefinition definition;
    if (!definition.ReadDefinition(contents)) {
        std::abort();
    }
    const bool ok = definition.ReadDefaults({data, size});
    if (ok != (size >= 4 && size == 4 + 8 * static_cast<uint64_t>(data[0] | data[1] << 8 | data[2] << 16 |
                                                                  static_cast<uint32_t>(data[3]) << 24))) {
        std::abort();
    }
    for (size_t at = 4; ok && at + 8 <= size; at += 8) {
        uint32_t hash =
            data[at] | data[at + 1] << 8 | data[at + 2] << 16 | static_cast<uint32_t>(data[at + 3]) << 24;
        if (!definition.DefaultKeyByHash(hash)) {
            std::abort();
        }
    }
    if (!ok && size >= 12) {
        uint32_t hash = data[4] | data[5] << 8 | data[6] << 16 | static_cast<uint32_t>(data[7]) << 24;
        if (definition.DefaultKeyByHash(hash)) {
            std::abort();
        }
    }
    return 0;
}
