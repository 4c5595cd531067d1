// What the built-in file dialog shows of a folder: its sub-folders, then the files that
// match the chosen filter, each group sorted ignoring case, hidden dot-files left out.
// Reading never throws; an unreadable folder is reported as an error code.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace plat {

struct FolderEntry {
    std::u16string name;
    std::string nativeName; // the name as the file system spells it
    bool folder{false};
    std::uintmax_t size{0};
};

// `patterns` empty matches every file. "*.exe" also matches files with an execute bit,
// since programs here carry no extension.
std::optional<std::vector<FolderEntry>> ListFolder(const std::filesystem::path& folder,
                                                   const std::vector<std::u16string>& patterns,
                                                   std::error_code& error);

// "12 KB"-style text of a file size.
std::u16string FormatFileSize(std::uintmax_t bytes);

} // namespace plat
