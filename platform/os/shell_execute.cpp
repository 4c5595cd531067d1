#include "platform/os/shell_execute.h"

#include "platform/os/spawn_detached.h"
#include "platform/text/compare.h"
#include "platform/text/utf.h"

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace plat {
namespace {

// "https://...", "mailto:...": a scheme of two or more characters before the colon.
bool IsAddress(std::string_view text) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon < 2) {
        return false;
    }
    for (size_t i = 0; i < colon; ++i) {
        const char c = text[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && !(i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'))) {
            return false;
        }
    }
    return true;
}

bool IsRunnable(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::string CurrentFolder() {
    std::vector<char> buffer(4096);
    while (!::getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE) {
            return ".";
        }
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

std::optional<std::string> FindOnPath(std::string_view name) {
    const char* path = std::getenv("PATH");
    std::string_view folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (!folders.empty()) {
        const size_t colon = folders.find(':');
        std::string folder(folders.substr(0, colon));
        folders.remove_prefix(colon == std::string_view::npos ? folders.size() : colon + 1);
        const std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + std::string(name);
        if (IsRunnable(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\\' && i + 1 < line.size() && line[i + 1] == '"') {
            word += '"';
            inWord = true;
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
            }
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

intptr_t CodeOf(const SpawnResult& result) {
    switch (result.stage) {
    case SpawnResult::Stage::Started:
        return kShellExecuteSuccess;
    case SpawnResult::Stage::Folder:
        return SE_ERR_PNF;
    case SpawnResult::Stage::Fork:
        return SE_ERR_OOM;
    case SpawnResult::Stage::Exec:
        break;
    }
    switch (result.error) {
    case ENOENT:
        return SE_ERR_FNF;
    case ENOTDIR:
        return SE_ERR_PNF;
    case EACCES:
    case EPERM:
        return SE_ERR_ACCESSDENIED;
    case ENOMEM:
    case EAGAIN:
        return SE_ERR_OOM;
    default:
        return ERROR_BAD_FORMAT;
    }
}

} // namespace

intptr_t ShellExecute(std::u16string_view operation, std::u16string_view file, std::u16string_view parameters,
                      std::u16string_view directory, int /*showCommand*/) {
    if (!operation.empty() && !EqualsNoCase(operation, u"open")) {
        return SE_ERR_NOASSOC;
    }
    const std::string target = Utf16ToUtf8(file);
    if (target.empty()) {
        return SE_ERR_FNF;
    }
    std::string folder = Utf16ToUtf8(directory);
    struct stat info {};
    if (!folder.empty() && (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))) {
        return SE_ERR_PNF;
    }
    const std::string base = folder.empty() ? CurrentFolder() : folder;
    const auto opener = [&](const std::string& what) -> intptr_t {
        const auto xdgOpen = FindOnPath("xdg-open");
        return xdgOpen ? CodeOf(SpawnDetached(*xdgOpen, {what}, folder)) : SE_ERR_NOASSOC;
    };
    if (IsAddress(target)) {
        return opener(target);
    }
    // A relative name is found in the folder, else a bare name on PATH.
    const std::string candidate = target.starts_with('/') ? target : base + "/" + target;
    std::optional<std::string> path;
    if (::access(candidate.c_str(), F_OK) == 0) {
        path = candidate;
    } else if (target.find('/') == std::string::npos) {
        path = FindOnPath(target);
    }
    if (!path) {
        const std::string parent = candidate.substr(0, candidate.rfind('/'));
        return ::stat(parent.empty() ? "/" : parent.c_str(), &info) == 0 ? SE_ERR_FNF : SE_ERR_PNF;
    }
    if (IsRunnable(*path)) {
        return CodeOf(SpawnDetached(*path, SplitCommandLine(Utf16ToUtf8(parameters)), folder));
    }
    return opener(*path);
}

} // namespace plat
