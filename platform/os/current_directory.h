// The process's current folder, where relative names are looked for (the programs move it to
// their installation folder before starting each other by relative name).
#pragma once

#include <string>
#include <string_view>

namespace plat {

// False (and the current folder unchanged) for an empty or unusable path.
bool SetCurrentDirectory(std::u16string_view path);

// Without a trailing '/'; empty when it cannot be determined (the folder was removed).
std::u16string GetCurrentDirectory();

} // namespace plat
