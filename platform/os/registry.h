// The registry store: a tree of keys and typed values kept as files, standing in for the
// system registry that the device service writes and the tray reads.
//
// HKEY_LOCAL_MACHINE\A\B is the folder <root>/HKLM/A/B. A value is one file in its key's
// folder, named "<name>.sz" (UTF-8 text), "<name>.bin" (raw bytes) or "<name>.dword"
// (decimal text); the default value is named "@" (asked for by the empty name). Key and
// value names compare ignoring case: an existing entry is found whatever the spelling, a new
// one keeps the spelling it was created with. Values are replaced atomically, so readers
// never see half a value. Names that could leave the key's folder ("..", "/", NUL, empty
// key names) are refused.
// Root: $KAVOX_REGISTRY if set, else ${XDG_CONFIG_HOME:-~/.config}/kavox/registry.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

enum class RegistryHive { LocalMachine, CurrentUser };

// The folder that holds the whole store.
std::string RegistryRootFolder();

class RegistryKey {
public:
    // An existing key; nullopt when it does not exist. Sub-key paths use '\\' or '/'.
    static std::optional<RegistryKey> Open(RegistryHive hive, std::u16string_view subKey);
    // The key, created with every missing parent; nullopt when it cannot be created.
    static std::optional<RegistryKey> Create(RegistryHive hive, std::u16string_view subKey);

    std::optional<RegistryKey> OpenSubKey(std::u16string_view name) const;
    std::optional<RegistryKey> CreateSubKey(std::u16string_view name) const;

    // Text values only.
    std::optional<std::u16string> ReadString(std::u16string_view name) const;
    // As a fixed buffer of `maxBytes` would read it: nullopt when the text and its
    // terminator take more than `maxBytes` bytes as UTF-16.
    std::optional<std::u16string> ReadString(std::u16string_view name, size_t maxBytes) const;
    // Dword values only.
    std::optional<uint32_t> ReadDword(std::u16string_view name) const;
    // A value of any type as bytes: raw bytes, a dword's four bytes (little-endian), or a
    // text as UTF-16LE with its terminator.
    std::optional<std::vector<uint8_t>> ReadBinary(std::u16string_view name) const;

    bool WriteString(std::u16string_view name, std::u16string_view value);
    bool WriteDword(std::u16string_view name, uint32_t value);
    bool WriteBinary(std::u16string_view name, const std::vector<uint8_t>& value);

    // Sub-key and value names in a stable order (ignoring case), as the store holds them.
    // The default value is listed by the empty name.
    std::vector<std::u16string> SubKeys() const;
    std::vector<std::u16string> ValueNames() const;

    bool DeleteValue(std::u16string_view name);
    // Removes a sub-key (a path is allowed) with everything below it. The key vanishes at
    // once for readers; its files are removed afterwards.
    bool DeleteSubKeyTree(std::u16string_view name);

    // The key's folder on disk.
    const std::string& Folder() const { return m_folder; }

private:
    explicit RegistryKey(std::string folder) : m_folder(std::move(folder)) {}
    std::string m_folder;
};

// A blocking watch of one key and everything below it, for watcher threads.
class RegistryWatch {
public:
    enum class Filter { Names, Values, NamesAndValues };
    enum class Result { Changed, TimedOut, Failed };

    // nullptr when the key cannot be watched.
    static std::unique_ptr<RegistryWatch> Start(const RegistryKey& key, Filter filter);
    virtual ~RegistryWatch() = default;

    // Blocks until something under the key changes (Changed) or the time-out passes
    // (milliseconds::max() waits without limit). Names: sub-keys created or deleted anywhere
    // below. Values: values written or deleted anywhere below, a new sub-key that already
    // holds values, a deleted sub-key. Changes made between two waits are not lost: the next
    // wait returns at once. Once the watched key itself is deleted, every wait is Failed.
    virtual Result Wait(std::chrono::milliseconds timeout) = 0;
};

} // namespace plat
