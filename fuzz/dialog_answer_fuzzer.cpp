// Any bytes as a colour helper's answer and as a file dialog filter: both must fail or
// split cleanly.
#include "platform/text/utf.h"
#include "platform/window/command_dialog_provider.h"
#include "platform/window/file_filter.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)plat::CommandDialogProvider::ParseColorAnswer(text);
    const auto filters = plat::ParseFileFilter(plat::Utf8ToUtf16(text));
    for (const plat::FileFilter& f : filters)
        (void)f.patterns.size();
    return 0;
}
