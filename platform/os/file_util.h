// Small file helpers shared by the settings, registry and state stores.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plat {

bool ReadWholeFile(const std::string& path, std::string& bytes);

// Writes to a temporary file beside `path`, flushes it to disk and renames it over `path`,
// creating missing folders first. Readers see either the old file or the new one.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

bool CreateFolders(const std::string& path);

// Names (not paths) of the regular files in a folder whose names match a pattern of
// '*' and '?' (ignoring case), sorted by name so the order never depends on the file system.
// `pattern` is a folder and a name pattern together, such as "/home/u/save/*.kvp".
std::vector<std::u16string> FindFiles(std::u16string_view pattern);

bool DeleteFileAt(std::u16string_view path);

} // namespace plat
