// Running processes as the tray sees them: a snapshot of process ids, parent ids and
// executable file names taken from /proc, and the executable name of one process.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

struct ProcessEntry {
    int pid = 0;
    int parentPid = 0;
    std::u16string exeFile; // file name only, as the process was started from
};

std::vector<ProcessEntry> CreateProcessSnapshot();

// The executable file name of a process; nullopt when it does not exist.
std::optional<std::u16string> ExecutableNameOfProcess(int pid);

// Nothing stands between processes of one user here; kept so callers read as they should.
inline bool EnableDebugPrivilege() {
    return true;
}

struct ProcessStat {
    int parentPid = 0;
    uint64_t startTime = 0; // clock ticks after boot: with the pid, names one process for good
};

std::optional<ProcessStat> ReadProcessStat(int pid);

// Parses the text of /proc/<pid>/stat; nullopt when it is not in that form.
std::optional<ProcessStat> ParseProcessStat(std::string_view text);

} // namespace plat
