// INI settings files: "[section]" headers and "key=value" lines, UTF-8 on disk.
// Section and key names compare ignoring case, as users and older files expect.
#pragma once

#include <string>
#include <string_view>

namespace plat {

// Returns the value of `key` in `section`, or `fallback` when the file, the section or the
// key is missing. The result is cut to `maxChars - 1` units, as a fixed buffer would be.
std::u16string GetPrivateProfileString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view fallback, size_t maxChars,
                                       std::u16string_view path);

// Sets `key` in `section`, creating the file, its folder, the section or the key as
// needed, and keeping every other line as it was. The file is replaced atomically, so a
// crash never leaves half a settings file. False when the file cannot be written.
bool WritePrivateProfileString(std::u16string_view section, std::u16string_view key,
                               std::u16string_view value, std::u16string_view path);

} // namespace plat
