// How the registry store names things on disk: which folder entries are keys, which files are
// values of which type, and which names are refused because they could leave a key's folder.
// Shared by the store and its watcher.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plat::registry {

enum class ValueType { String, Binary, Dword };

// "sz", "bin" or "dword".
std::string_view ExtensionOf(ValueType type);

// A key name is one path component: not empty, not "." or "..", without '/', '\\' or NUL,
// and not one of the store's own working names.
bool IsValidKeyName(std::u16string_view name);

// The name a value is stored under: the empty name is the default value "@". Nullopt for a
// name that cannot be a file name ("." or "..", '/' or NUL in it).
std::optional<std::u16string> StoredValueName(std::u16string_view name);

struct ValueFileName {
    std::u16string name; // as the user sees it: "" for the default value
    ValueType type;
};

// Splits "<name>.<type>"; nullopt for files that are not values (temporaries, other types).
std::optional<ValueFileName> ParseValueFileName(std::string_view fileName);

// Folder entries the store creates for itself (subtrees being deleted) and that are never keys.
bool IsWorkingEntry(std::string_view fileName);

// A fresh working name for a subtree about to be deleted.
std::string NewDeletionName();

} // namespace plat::registry
