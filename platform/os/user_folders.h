// Where the programs find their own files and where they keep the user's.
#pragma once

#include <string>

namespace plat {

// The folder of the running executable, with a trailing '/'.
std::u16string ProgramDirectory();

// XDG base folders with the "kavox/" folder of this system appended, each with a
// trailing '/'. The folders are not created here; writers create what they need.
std::u16string UserConfigFolder();  // ${XDG_CONFIG_HOME:-~/.config}/kavox/
std::u16string UserDataFolder();    // ${XDG_DATA_HOME:-~/.local/share}/kavox/
std::u16string UserStateFolder();   // ${XDG_STATE_HOME:-~/.local/state}/kavox/
std::u16string UserRuntimeFolder(); // ${XDG_RUNTIME_DIR:-/tmp/kavox-<uid>}/kavox/

// The configurator's "save/" folder inside the user data folder.
std::u16string SaveFolder();

} // namespace plat
