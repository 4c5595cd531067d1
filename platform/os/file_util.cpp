#include "platform/os/file_util.h"

#include "platform/text/compare.h"
#include "platform/text/path.h"
#include "platform/text/utf.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Matches '*' and '?' wildcards, ignoring case; iterative with one backtrack point.
bool WildcardMatch(std::u16string_view pattern, std::u16string_view name) {
    size_t p = 0, n = 0, starP = std::u16string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || ToLowerUnit(pattern[p]) == ToLowerUnit(name[n]))) {
            ++p, ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bytes.clear();
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0) {
            break;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return ok;
}

bool CreateFolders(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const auto parent = std::filesystem::path(path).parent_path();
    if (!parent.empty() && !CreateFolders(parent.string())) {
        return false;
    }
    std::string temp = path + ".tmpXXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool ok = WriteAll(fd, bytes) && ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

std::vector<std::u16string> FindFiles(std::u16string_view pattern) {
    const PathParts parts = SplitPath(pattern);
    const std::u16string namePattern = parts.name + parts.extension;
    const std::string folder = parts.folder.empty() ? std::string(".") : Utf16ToUtf8(parts.folder);
    std::vector<std::u16string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) {
            continue;
        }
        std::u16string name = Utf8ToUtf16(it->path().filename().string());
        if (WildcardMatch(namePattern, name)) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end(),
              [](const std::u16string& a, const std::u16string& b) { return CompareNoCase(a, b) < 0; });
    return names;
}

bool DeleteFileAt(std::u16string_view path) {
    return ::unlink(Utf16ToUtf8(path).c_str()) == 0;
}

} // namespace plat
