#include "platform/os/registry.h"

#include "platform/os/file_util.h"
#include "platform/os/registry_names.h"
#include "platform/os/user_folders.h"
#include "platform/text/compare.h"
#include "platform/text/utf.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {
namespace {

namespace fs = std::filesystem;
using registry::ValueType;

struct Entry {
    std::string fileName;
    std::u16string name; // the file name as UTF-16, for comparing ignoring case
    bool isFolder = false;
};

// Entries of a folder, symbolic links left out so that no key leads outside the store.
std::vector<Entry> ListFolder(const std::string& folder) {
    std::vector<Entry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        const fs::file_type type = it->symlink_status(typeError).type();
        if (type != fs::file_type::directory && type != fs::file_type::regular) {
            continue;
        }
        std::string fileName = it->path().filename().string();
        std::u16string name = Utf8ToUtf16(fileName);
        entries.push_back({std::move(fileName), std::move(name), type == fs::file_type::directory});
    }
    // Ties between spellings that differ only in case are broken bytewise, so every reader
    // picks the same one.
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const int order = CompareNoCase(a.name, b.name);
        return order != 0 ? order < 0 : a.fileName < b.fileName;
    });
    return entries;
}

std::optional<std::string> FindSubFolder(const std::string& folder, std::u16string_view name) {
    for (const Entry& entry : ListFolder(folder)) {
        if (entry.isFolder && EqualsNoCase(entry.name, name)) {
            return folder + "/" + entry.fileName;
        }
    }
    return std::nullopt;
}

// Splits a key path at '\\' and '/'; nullopt when a part is not a valid key name.
std::optional<std::vector<std::u16string>> SplitKeyPath(std::u16string_view path) {
    std::vector<std::u16string> parts;
    if (path.empty()) {
        return parts;
    }
    size_t start = 0;
    for (;;) {
        const size_t end = path.find_first_of(u"\\/", start);
        std::u16string_view part =
            path.substr(start, end == std::u16string_view::npos ? path.size() - start : end - start);
        if (!registry::IsValidKeyName(part)) {
            return std::nullopt;
        }
        parts.emplace_back(part);
        if (end == std::u16string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<std::string> ResolveKey(std::string folder, std::u16string_view path, bool create) {
    const auto parts = SplitKeyPath(path);
    if (!parts || !IsFolder(folder)) {
        return std::nullopt;
    }
    for (const std::u16string& part : *parts) {
        if (auto found = FindSubFolder(folder, part)) {
            folder = std::move(*found);
            continue;
        }
        if (!create) {
            return std::nullopt;
        }
        folder += "/" + Utf16ToUtf8(part);
        if (::mkdir(folder.c_str(), 0755) != 0 && !(errno == EEXIST && IsFolder(folder))) {
            return std::nullopt;
        }
    }
    return folder;
}

std::string HiveFolder(RegistryHive hive) {
    return RegistryRootFolder() + (hive == RegistryHive::LocalMachine ? "/HKLM" : "/HKCU");
}

struct ValueFile {
    std::string path;
    std::string storedName; // the name part of the file name, as spelt on disk
    ValueType type;
    int64_t modified = 0;
};

// Every file holding the value, whatever its type or spelling, newest first. Normally there
// is one; a writer interrupted between writing a new type and removing the old leaves two,
// and the newer is the value.
std::vector<ValueFile> FindValueFiles(const std::string& folder, std::u16string_view name) {
    std::vector<ValueFile> files;
    const auto stored = registry::StoredValueName(name);
    if (!stored) {
        return files;
    }
    // Value files name the default value "@"; parsing gives it back as the empty name.
    const std::u16string wanted = *stored == u"@" ? std::u16string() : *stored;
    for (const Entry& entry : ListFolder(folder)) {
        const auto parsed = registry::ParseValueFileName(entry.fileName);
        if (entry.isFolder || !parsed || !EqualsNoCase(parsed->name, wanted)) {
            continue;
        }
        ValueFile file{folder + "/" + entry.fileName, entry.fileName.substr(0, entry.fileName.rfind('.')),
                       parsed->type};
        struct stat info {};
        if (::stat(file.path.c_str(), &info) == 0) {
            file.modified = static_cast<int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
        }
        files.push_back(std::move(file));
    }
    std::stable_sort(files.begin(), files.end(),
                     [](const ValueFile& a, const ValueFile& b) { return a.modified > b.modified; });
    return files;
}

std::optional<uint32_t> ParseDword(std::string_view text) {
    constexpr std::string_view kSpace = " \t\r\n";
    const size_t first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(kSpace) + 1 - first);
    uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9' || value > 0xFFFFFFFFull / 10) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > 0xFFFFFFFFull) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

std::u16string TextOfStringValue(const std::string& bytes) {
    // Text ends at its first NUL, as a reader of a terminated string would see it.
    return Utf8ToUtf16(std::string_view(bytes).substr(0, bytes.find('\0')));
}

} // namespace

std::string RegistryRootFolder() {
    if (const char* root = std::getenv("KAVOX_REGISTRY"); root && *root) {
        std::string folder = root;
        while (folder.size() > 1 && folder.ends_with('/')) {
            folder.pop_back();
        }
        return folder;
    }
    return Utf16ToUtf8(UserConfigFolder()) + "registry";
}

std::optional<RegistryKey> RegistryKey::Open(RegistryHive hive, std::u16string_view subKey) {
    auto folder = ResolveKey(HiveFolder(hive), subKey, false);
    return folder ? std::optional<RegistryKey>(RegistryKey(std::move(*folder))) : std::nullopt;
}

std::optional<RegistryKey> RegistryKey::Create(RegistryHive hive, std::u16string_view subKey) {
    const std::string hiveFolder = HiveFolder(hive);
    if (!SplitKeyPath(subKey) || !CreateFolders(hiveFolder)) {
        return std::nullopt;
    }
    auto folder = ResolveKey(hiveFolder, subKey, true);
    return folder ? std::optional<RegistryKey>(RegistryKey(std::move(*folder))) : std::nullopt;
}

std::optional<RegistryKey> RegistryKey::OpenSubKey(std::u16string_view name) const {
    auto folder = ResolveKey(m_folder, name, false);
    return folder ? std::optional<RegistryKey>(RegistryKey(std::move(*folder))) : std::nullopt;
}

std::optional<RegistryKey> RegistryKey::CreateSubKey(std::u16string_view name) const {
    auto folder = ResolveKey(m_folder, name, true);
    return folder ? std::optional<RegistryKey>(RegistryKey(std::move(*folder))) : std::nullopt;
}

std::optional<std::u16string> RegistryKey::ReadString(std::u16string_view name) const {
    const auto files = FindValueFiles(m_folder, name);
    std::string bytes;
    if (files.empty() || files.front().type != ValueType::String ||
        !ReadWholeFile(files.front().path, bytes)) {
        return std::nullopt;
    }
    return TextOfStringValue(bytes);
}

std::optional<std::u16string> RegistryKey::ReadString(std::u16string_view name, size_t maxBytes) const {
    auto text = ReadString(name);
    if (!text || (text->size() + 1) * sizeof(char16_t) > maxBytes) {
        return std::nullopt;
    }
    return text;
}

std::optional<uint32_t> RegistryKey::ReadDword(std::u16string_view name) const {
    const auto files = FindValueFiles(m_folder, name);
    std::string bytes;
    if (files.empty() || files.front().type != ValueType::Dword ||
        !ReadWholeFile(files.front().path, bytes)) {
        return std::nullopt;
    }
    return ParseDword(bytes);
}

std::optional<std::vector<uint8_t>> RegistryKey::ReadBinary(std::u16string_view name) const {
    const auto files = FindValueFiles(m_folder, name);
    std::string bytes;
    if (files.empty() || !ReadWholeFile(files.front().path, bytes)) {
        return std::nullopt;
    }
    std::vector<uint8_t> data;
    switch (files.front().type) {
    case ValueType::Binary:
        data.assign(bytes.begin(), bytes.end());
        break;
    case ValueType::Dword: {
        const auto value = ParseDword(bytes);
        if (!value) {
            return std::nullopt;
        }
        for (int shift = 0; shift < 32; shift += 8) {
            data.push_back(static_cast<uint8_t>(*value >> shift));
        }
        break;
    }
    case ValueType::String:
        for (const char16_t unit : TextOfStringValue(bytes) + u'\0') {
            data.push_back(static_cast<uint8_t>(unit));
            data.push_back(static_cast<uint8_t>(unit >> 8));
        }
        break;
    }
    return data;
}

namespace {

// Replaces the value whatever type it had, keeping the spelling it already has on disk.
bool WriteValue(const std::string& folder, std::u16string_view name, ValueType type, std::string_view bytes) {
    const auto stored = registry::StoredValueName(name);
    // A key deleted under a writer stays deleted rather than coming back with one value.
    if (!stored || !IsFolder(folder)) {
        return false;
    }
    const auto existing = FindValueFiles(folder, name);
    const std::string spelling = existing.empty() ? Utf16ToUtf8(*stored) : existing.front().storedName;
    const std::string path = folder + "/" + spelling + "." + std::string(registry::ExtensionOf(type));
    if (!WriteFileAtomically(path, bytes)) {
        return false;
    }
    for (const ValueFile& old : existing) {
        if (old.path != path) {
            ::unlink(old.path.c_str());
        }
    }
    return true;
}

} // namespace

bool RegistryKey::WriteString(std::u16string_view name, std::u16string_view value) {
    return WriteValue(m_folder, name, ValueType::String, Utf16ToUtf8(value));
}

bool RegistryKey::WriteDword(std::u16string_view name, uint32_t value) {
    return WriteValue(m_folder, name, ValueType::Dword, std::to_string(value));
}

bool RegistryKey::WriteBinary(std::u16string_view name, const std::vector<uint8_t>& value) {
    return WriteValue(m_folder, name, ValueType::Binary,
                      std::string_view(reinterpret_cast<const char*>(value.data()), value.size()));
}

std::vector<std::u16string> RegistryKey::SubKeys() const {
    std::vector<std::u16string> names;
    for (Entry& entry : ListFolder(m_folder)) {
        if (entry.isFolder && registry::IsValidKeyName(entry.name)) {
            names.push_back(std::move(entry.name));
        }
    }
    return names;
}

std::vector<std::u16string> RegistryKey::ValueNames() const {
    std::vector<std::u16string> names;
    for (const Entry& entry : ListFolder(m_folder)) {
        auto parsed = registry::ParseValueFileName(entry.fileName);
        if (entry.isFolder || !parsed) {
            continue;
        }
        const bool listed = std::any_of(names.begin(), names.end(), [&](const std::u16string& n) {
            return EqualsNoCase(n, parsed->name);
        });
        if (!listed) {
            names.push_back(std::move(parsed->name));
        }
    }
    std::stable_sort(names.begin(), names.end(), [](const std::u16string& a, const std::u16string& b) {
        return CompareNoCase(a, b) < 0;
    });
    return names;
}

bool RegistryKey::DeleteValue(std::u16string_view name) {
    bool deleted = false;
    for (const ValueFile& file : FindValueFiles(m_folder, name)) {
        deleted = ::unlink(file.path.c_str()) == 0 || deleted;
    }
    return deleted;
}

bool RegistryKey::DeleteSubKeyTree(std::u16string_view name) {
    if (name.empty()) {
        return false;
    }
    const auto folder = ResolveKey(m_folder, name, false);
    if (!folder) {
        return false;
    }
    // Renaming first makes the whole subtree vanish in one step for readers and watchers.
    const std::string parent = folder->substr(0, folder->rfind('/'));
    const std::string doomed = parent + "/" + registry::NewDeletionName();
    if (::rename(folder->c_str(), doomed.c_str()) != 0) {
        return false;
    }
    std::error_code ec;
    fs::remove_all(doomed, ec);
    return true;
}

} // namespace plat
