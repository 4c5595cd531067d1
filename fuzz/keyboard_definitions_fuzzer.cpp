// Any bytes as a keyboard definition file: the reader must stop cleanly, and whatever it
// kept must answer its look-ups consistently.
#include "model/key_name_list.h"
#include "model/keyboard_definition.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CKeyboardDefinition definition;
    const bool ok = definition.ReadDefinition({data, size});
    size_t bytes = 4;
    for (const KeyDefinitionRecord& record : definition.Records()) {
        bytes += CKeyboardDefinition::kRecordBytesWithoutName + record.name.size() * 2;
        if (record.nameHash != KeyNameHash(record.name) ||
            record.effectiveKey != EffectiveKeyOf(record.sequences[0])) {
            std::abort();
        }
        const KeyDefinitionRecord* found = definition.RecordByHash(record.nameHash);
        if (!record.excluded && (!found || !definition.NameHashByEffectiveKey(found->effectiveKey))) {
            std::abort();
        }
    }
    if (bytes > size + (definition.Records().empty() ? 4 : 0) || (ok && bytes != size)) {
        std::abort();
    }
    if (ok && !definition.ReadDefinition({data, size})) {
        std::abort();
    }
    return 0;
}
