// UTF-8 <-> UTF-16 conversion. The programs keep user-visible text as UTF-16 units
// (std::u16string) so every length limit counts the same units everywhere; file paths
// and OS calls use UTF-8 and convert at the boundary.
#pragma once

#include <string>
#include <string_view>

namespace plat {

// Malformed input never fails: each bad byte or unpaired surrogate becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

} // namespace plat
