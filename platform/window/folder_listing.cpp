// Reading and sorting a folder for the built-in file dialog.
#include "platform/window/folder_listing.h"

#include "platform/text/compare.h"
#include "platform/text/utf.h"
#include "platform/window/file_filter.h"

#include <algorithm>

namespace plat {

namespace fs = std::filesystem;

namespace {

bool IsProgram(const fs::directory_entry& entry) {
    std::error_code error;
    const fs::perms perms = entry.status(error).permissions();
    return !error && (perms & (fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec)) !=
                         fs::perms::none;
}

bool Shown(const fs::directory_entry& entry, std::u16string_view name,
           const std::vector<std::u16string>& patterns) {
    if (patterns.empty())
        return true;
    for (const std::u16string& pattern : patterns) {
        if (MatchesPattern(name, pattern))
            return true;
        if (EqualsNoCase(pattern, u"*.exe") && IsProgram(entry))
            return true;
    }
    return false;
}

bool ListedBefore(const FolderEntry& a, const FolderEntry& b) {
    if (a.folder != b.folder)
        return a.folder;
    const int order = CompareNoCase(a.name, b.name);
    return order != 0 ? order < 0 : a.nativeName < b.nativeName;
}

} // namespace

std::optional<std::vector<FolderEntry>>
ListFolder(const fs::path& folder, const std::vector<std::u16string>& patterns, std::error_code& error) {
    error.clear();
    fs::directory_iterator it(folder, error);
    if (error)
        return std::nullopt;
    std::vector<FolderEntry> entries;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error)
            return std::nullopt;
        const fs::directory_entry& entry = *it;
        std::string native = entry.path().filename().string();
        if (native.empty() || native.front() == '.')
            continue;
        FolderEntry item;
        item.name = Utf8ToUtf16(native);
        item.nativeName = std::move(native);
        std::error_code ignored;
        item.folder = entry.is_directory(ignored);
        if (!item.folder) {
            if (!Shown(entry, item.name, patterns))
                continue;
            const std::uintmax_t size = entry.file_size(ignored);
            item.size = ignored ? 0 : size;
        }
        entries.push_back(std::move(item));
    }
    if (error)
        return std::nullopt;
    std::sort(entries.begin(), entries.end(), ListedBefore);
    return entries;
}

std::u16string FormatFileSize(std::uintmax_t bytes) {
    constexpr const char* kUnits[] = {"bytes", "KB", "MB", "GB", "TB"};
    if (bytes < 1024)
        return Utf8ToUtf16(std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes"));
    double value = static_cast<double>(bytes);
    size_t unit = 0;
    while (value >= 1024.0 && unit + 1 < std::size(kUnits)) {
        value /= 1024.0;
        ++unit;
    }
    const auto whole = static_cast<std::uintmax_t>(value + 0.5);
    return Utf8ToUtf16(std::to_string(whole) + " " + kUnits[unit]);
}

} // namespace plat
