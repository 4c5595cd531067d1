// Splitting a file path into its folder, file name and extension, and joining them back.
#pragma once

#include <string>
#include <string_view>

namespace plat {

struct PathParts {
    std::u16string folder;    // everything up to and including the last separator
    std::u16string name;      // file name without extension
    std::u16string extension; // the last ".xyz" of the file name, dot included; empty when none
};

// Both '/' and '\\' separate folders, so paths written either way split the same.
PathParts SplitPath(std::u16string_view path);

// The file name with its extension: everything after the last separator.
std::u16string FileNameOf(std::u16string_view path);

} // namespace plat
