// Opening things the way a desktop shell does: a program is started on its own, anything
// else (a document, an .html file, a folder, a web address) goes to the desktop's opener,
// xdg-open. Results follow the old shell convention the callers test: above 32 is success,
// a small error code otherwise.
#pragma once

#include <cstdint>
#include <string_view>

namespace plat {

inline constexpr intptr_t SE_ERR_FNF = 2;          // the file does not exist
inline constexpr intptr_t SE_ERR_PNF = 3;          // the folder does not exist
inline constexpr intptr_t SE_ERR_ACCESSDENIED = 5; // not allowed to run or open it
inline constexpr intptr_t SE_ERR_OOM = 8;          // no resources to start a process
inline constexpr intptr_t ERROR_BAD_FORMAT = 11;   // marked executable but not a program
inline constexpr intptr_t SE_ERR_NOASSOC = 31;     // nothing to open it with, or an unknown verb
inline constexpr intptr_t kShellExecuteSuccess = 42;

inline constexpr int SW_SHOWNORMAL = 1;

// `operation` is "open" (or empty, meaning "open"). A relative `file` is found in
// `directory`, or in the current folder when `directory` is empty; a bare name that is not
// there is looked for on PATH. `parameters` is a command line: words split at spaces, with
// double quotes grouping. A started program runs in `directory` (else the current folder).
// `showCommand` is accepted for callers' sake; windows decide their own first showing here.
intptr_t ShellExecute(std::u16string_view operation, std::u16string_view file, std::u16string_view parameters,
                      std::u16string_view directory, int showCommand = SW_SHOWNORMAL);

} // namespace plat
