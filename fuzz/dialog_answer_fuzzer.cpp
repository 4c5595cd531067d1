// Any bytes as a colour helper's answer and as a file dialog filter: both must fail or
// split cleanly. The same bytes, cut at the first line break, are a file name matched
// against a pattern, and the filters' extensions are put on the whole text as a path.
#include "platform/text/utf.h"
#include "platform/window/command_dialog_provider.h"
#include "platform/window/file_filter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)plat::CommandDialogProvider::ParseColorAnswer(text);
    const std::u16string wide = plat::Utf8ToUtf16(text);
    const auto filters = plat::ParseFileFilter(wide);
    for (const plat::FileFilter& f : filters)
        (void)plat::WithDefaultExtension(wide, plat::FilterExtension(f));
    const size_t cut = std::min(wide.find(u'\n'), wide.size());
    const std::u16string_view all(wide);
    (void)plat::MatchesPattern(all.substr(0, cut), all.substr(std::min(cut + 1, all.size())));
    return 0;
}
