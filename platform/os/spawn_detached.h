// Starting a program that lives on by itself: it runs in a session of its own, is not a child
// of the caller (no zombie to reap), and failures up to the start of the program (a missing
// working folder, a file that cannot be run) are reported back.
#pragma once

#include <string>
#include <vector>

namespace plat {

struct SpawnResult {
    enum class Stage { Started, Folder, Exec, Fork };
    Stage stage = Stage::Started;
    int error = 0; // errno of the step that failed
};

// `arguments` follow the program name; an empty `folder` keeps the caller's current folder.
SpawnResult SpawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& folder);

} // namespace plat
