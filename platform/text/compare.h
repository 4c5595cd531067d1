// Case-insensitive comparison of UTF-16 text, the way names of macros, commands, skins
// and files are compared throughout the programs.
#pragma once

#include <string_view>

namespace plat {

// Folds one unit to lower case: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic.
char16_t ToLowerUnit(char16_t c);
char16_t ToUpperUnit(char16_t c);

// Like the C library's case-insensitive compare: negative, zero or positive.
int CompareNoCase(std::u16string_view a, std::u16string_view b);
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);

} // namespace plat
