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

// A file name against one pattern of '*' and '?' wildcards, ignoring case.
bool MatchesPattern(std::u16string_view name, std::u16string_view pattern);

// The extension a filter gives a saved name: that of its first pattern of the "*.ext"
// form without wildcards in "ext"; empty for "*", "*.*" and the like.
std::u16string FilterExtension(const FileFilter& filter);

// The one rule for default extensions: a path whose file name has no extension gets
// ".ext". A leading dot names a hidden file, not an extension; an empty `extension`
// leaves the path alone.
std::u16string WithDefaultExtension(std::u16string path, std::u16string_view extension);

} // namespace plat
