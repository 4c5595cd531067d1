// The filter of a file dialog in its "Name (*.ext)|*.ext|Other|*.a;*.b||" form, split into
// named groups of patterns.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plat {

struct FileFilter {
    std::u16string name;
    std::vector<std::u16string> patterns; // "*.ext", from the ';'-separated list
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// Pairs of name and patterns separated by '|', ending at "||" or at the end of the text.
// A name without its pattern part is left out; empty patterns are dropped.
std::vector<FileFilter> ParseFileFilter(std::u16string_view filter);

} // namespace plat
