// The registry watch: inotify on a key's folder and every folder below it. New sub-key
// folders are watched as they appear; removed ones are forgotten at once, so a subtree being
// deleted raises no value events of its own.
#include "platform/os/registry.h"

#include "platform/os/registry_names.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <map>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace plat {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr uint32_t kFolderEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF |
                                   IN_MOVE_SELF | IN_ONLYDIR | IN_DONT_FOLLOW;

bool IsValueFile(std::string_view fileName) {
    return registry::ParseValueFileName(fileName).has_value();
}

class InotifyRegistryWatch final : public RegistryWatch {
public:
    InotifyRegistryWatch(int fd, Filter filter) : m_fd(fd), m_filter(filter) {}
    ~InotifyRegistryWatch() override { ::close(m_fd); }
    InotifyRegistryWatch(const InotifyRegistryWatch&) = delete;
    InotifyRegistryWatch& operator=(const InotifyRegistryWatch&) = delete;

    bool WatchRoot(const std::string& folder) {
        m_rootWd = ::inotify_add_watch(m_fd, folder.c_str(), Mask());
        if (m_rootWd < 0) {
            return false;
        }
        m_folders[m_rootWd] = folder;
        WatchChildren(folder);
        return true;
    }

    Result Wait(std::chrono::milliseconds timeout) override {
        const bool forever = timeout >= std::chrono::hours(24 * 365);
        const auto deadline = forever ? Clock::time_point::max() : Clock::now() + timeout;
        while (!m_failed) {
            int waitMs = -1;
            if (!forever) {
                const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
                waitMs = static_cast<int>(std::clamp<int64_t>(left.count(), 0, INT_MAX));
            }
            pollfd entry{m_fd, POLLIN, 0};
            const int ready = ::poll(&entry, 1, waitMs);
            if (ready < 0 && errno != EINTR) {
                return Result::Failed;
            }
            if (ready > 0 && ReadEvents()) {
                return m_failed ? Result::Failed : Result::Changed;
            }
            if (ready == 0) {
                return Result::TimedOut;
            }
        }
        return Result::Failed;
    }

private:
    uint32_t Mask() const {
        return m_filter == Filter::Names ? kFolderEvents : kFolderEvents | IN_CLOSE_WRITE;
    }
    bool WantsNames() const { return m_filter != Filter::Values; }
    bool WantsValues() const { return m_filter != Filter::Names; }

    // Watches every folder below `folder`; true when any value file lies below it.
    bool WatchChildren(const std::string& folder) {
        bool holdsValues = false;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            std::error_code typeError;
            const fs::file_type type = it->symlink_status(typeError).type();
            if (type == fs::file_type::directory && !registry::IsWorkingEntry(name)) {
                holdsValues = WatchSubtree(folder + "/" + name) || holdsValues;
            } else if (type == fs::file_type::regular && IsValueFile(name)) {
                holdsValues = true;
            }
        }
        return holdsValues;
    }

    bool WatchSubtree(const std::string& folder) {
        const int wd = ::inotify_add_watch(m_fd, folder.c_str(), Mask());
        if (wd < 0) {
            return false;
        }
        m_folders[wd] = folder;
        return WatchChildren(folder);
    }

    void ForgetSubtree(const std::string& folder) {
        for (auto it = m_folders.begin(); it != m_folders.end();) {
            const std::string& path = it->second;
            if (it->first != m_rootWd && (path == folder || path.starts_with(folder + "/"))) {
                ::inotify_rm_watch(m_fd, it->first);
                it = m_folders.erase(it);
            } else {
                ++it;
            }
        }
    }

    // Reads every queued event; true when one of them is a change the filter asks for.
    bool ReadEvents() {
        bool changed = false;
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0) {
                return changed;
            }
            for (ssize_t offset = 0; offset < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
                changed = Handle(*event) || changed;
                offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }

    bool Handle(const inotify_event& event) {
        if (event.mask & IN_Q_OVERFLOW) {
            // Events were lost: whatever happened, watch what is there now and report it.
            WatchChildren(m_folders[m_rootWd]);
            return true;
        }
        const auto folder = m_folders.find(event.wd);
        if (folder == m_folders.end()) {
            return false;
        }
        if (event.wd == m_rootWd &&
            (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT))) {
            m_failed = true;
            return true;
        }
        if (event.mask & IN_IGNORED) {
            m_folders.erase(folder);
            return false;
        }
        const std::string name = event.len > 0 ? std::string(event.name) : std::string();
        if (name.empty() || registry::IsWorkingEntry(name)) {
            return false;
        }
        const std::string path = folder->second + "/" + name;
        if (event.mask & IN_ISDIR) {
            if (event.mask & (IN_CREATE | IN_MOVED_TO)) {
                const bool holdsValues = WatchSubtree(path);
                return WantsNames() || (WantsValues() && holdsValues);
            }
            if (event.mask & (IN_DELETE | IN_MOVED_FROM)) {
                ForgetSubtree(path);
                return true;
            }
            return false;
        }
        return WantsValues() && IsValueFile(name) &&
               (event.mask & (IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE | IN_CLOSE_WRITE));
    }

    int m_fd;
    Filter m_filter;
    int m_rootWd{-1};
    std::map<int, std::string> m_folders;
    bool m_failed{false};
};

} // namespace

std::unique_ptr<RegistryWatch> RegistryWatch::Start(const RegistryKey& key, Filter filter) {
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    auto watch = std::make_unique<InotifyRegistryWatch>(fd, filter);
    if (!watch->WatchRoot(key.Folder())) {
        return nullptr;
    }
    return watch;
}

} // namespace plat
