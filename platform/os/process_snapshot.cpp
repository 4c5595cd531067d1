#include "platform/os/process_snapshot.h"

#include "platform/os/file_util.h"
#include "platform/text/utf.h"

#include <charconv>
#include <climits>
#include <dirent.h>
#include <memory>
#include <unistd.h>

namespace plat {
namespace {

std::string ProcFile(int pid, const char* name) {
    return "/proc/" + std::to_string(pid) + "/" + name;
}

std::string BaseName(std::string_view path) {
    const size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// The executable's link names the file itself; for processes of other users it cannot be
// read, and the first command-line word, then the kernel's short name, stand in.
std::optional<std::string> ExecutableName(int pid) {
    char target[PATH_MAX];
    const ssize_t n = ::readlink(ProcFile(pid, "exe").c_str(), target, sizeof target - 1);
    if (n > 0) {
        std::string_view path(target, static_cast<size_t>(n));
        constexpr std::string_view kDeleted = " (deleted)";
        if (path.ends_with(kDeleted)) {
            path.remove_suffix(kDeleted.size());
        }
        return BaseName(path);
    }
    std::string text;
    if (ReadWholeFile(ProcFile(pid, "cmdline"), text) && !text.empty() && text[0] != '\0') {
        return BaseName(std::string_view(text).substr(0, text.find('\0')));
    }
    if (ReadWholeFile(ProcFile(pid, "comm"), text) && !text.empty()) {
        if (text.back() == '\n') {
            text.pop_back();
        }
        return text;
    }
    return std::nullopt;
}

template <typename T> bool ParseNumber(std::string_view text, T& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace

std::optional<ProcessStat> ParseProcessStat(std::string_view text) {
    // "pid (name) state ppid ..."; the name may itself hold ") ", so the last ')' ends it.
    const size_t close = text.rfind(')');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view rest = text.substr(close + 1);
    std::vector<std::string_view> fields; // from field 3 (state) on
    while (fields.size() < 20) {
        const size_t start = rest.find_first_not_of(" \n");
        if (start == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(start);
        const size_t end = rest.find_first_of(" \n");
        fields.push_back(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    }
    ProcessStat stat;
    if (fields.size() < 20 || !ParseNumber(fields[1], stat.parentPid) ||
        !ParseNumber(fields[19], stat.startTime)) {
        return std::nullopt;
    }
    return stat;
}

std::optional<ProcessStat> ReadProcessStat(int pid) {
    std::string text;
    if (pid <= 0 || !ReadWholeFile(ProcFile(pid, "stat"), text)) {
        return std::nullopt;
    }
    return ParseProcessStat(text);
}

std::optional<std::u16string> ExecutableNameOfProcess(int pid) {
    if (pid <= 0 || ::access(ProcFile(pid, "stat").c_str(), F_OK) != 0) {
        return std::nullopt;
    }
    const auto name = ExecutableName(pid);
    return name ? std::optional<std::u16string>(Utf8ToUtf16(*name)) : std::nullopt;
}

std::vector<ProcessEntry> CreateProcessSnapshot() {
    std::vector<ProcessEntry> processes;
    const std::unique_ptr<DIR, int (*)(DIR*)> proc(::opendir("/proc"), ::closedir);
    if (!proc) {
        return processes;
    }
    while (const dirent* entry = ::readdir(proc.get())) {
        int pid = 0;
        if (!ParseNumber(std::string_view(entry->d_name), pid) || pid <= 0) {
            continue;
        }
        // A process that ended while the snapshot was taken is left out.
        const auto stat = ReadProcessStat(pid);
        const auto name = ExecutableName(pid);
        if (stat && name) {
            processes.push_back({pid, stat->parentPid, Utf8ToUtf16(*name)});
        }
    }
    return processes;
}

} // namespace plat
