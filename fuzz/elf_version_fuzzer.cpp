// Any bytes as an executable file: finding the version section and reading its fixed block
// must fail cleanly on whatever does not add up.
#include "platform/os/elf_section.h"
#include "platform/os/file_version_info.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const plat::MemoryByteSource image({data, size});
    const auto section = plat::ReadElfSection(image, plat::kVersionSectionName, 64 * 1024);
    if (section) {
        std::span<const uint8_t> block;
        if (plat::VerQueryValue(*section, u"\\", block)) {
            (void)plat::FixedFileInfo::FromBytes(block);
        }
    }
    return 0;
}
