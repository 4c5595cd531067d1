// Any bytes as a profile file, a macro file and a memory document of both models: reading
// fails cleanly or yields a memory the mouse can hold, which writes back to the same text.
#include "service/memory_document.h"
#include "service/memory_rules.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const ModelDescriptor& model : AllModels()) {
        ProfileMemory profile;
        if (ParseProfileFile(text, model, profile) && !IsValidProfile(model, profile)) {
            std::abort();
        }
        MouseMemory memory;
        if (MemoryFromText(text, model, memory)) {
            MouseMemory again;
            if (!MemoryFromText(MemoryToText(memory, model), model, again) || !(again == memory)) {
                std::abort();
            }
        }
    }
    MacroMemory macro;
    if (ParseMacroFile(text, macro) && !IsValidMacro(macro)) {
        std::abort();
    }
    return 0;
}
