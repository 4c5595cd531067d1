// Named mutexes shared between processes of one user, as the single-instance checks use
// them: opening tells whether the name was already open anywhere, and ownership is taken
// with a timed wait. A lock file in the user's runtime folder carries both, with open-file
// locks (flock semantics: they belong to the open file and end with it, so a process that
// dies releases everything it held).
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

namespace plat {

class NamedMutex {
public:
    enum class WaitResult { Acquired, TimedOut, Failed };

    // Opens the mutex, creating it when no one has it open; not owned. nullptr when the
    // runtime folder cannot be used.
    static std::unique_ptr<NamedMutex> Create(std::u16string_view name);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // True when another handle, in this process or another, had the name open already.
    bool AlreadyExisted() const { return m_alreadyExisted; }

    // Takes ownership, waiting at most `timeout`. Waiting again while owning succeeds at once.
    WaitResult Wait(std::chrono::milliseconds timeout);
    bool Release();

    // The lock file that carries a name: the name with unsafe bytes escaped, in the runtime
    // folder.
    static std::string LockFilePath(std::u16string_view name);

private:
    NamedMutex(int fd, bool alreadyExisted) : m_fd(fd), m_alreadyExisted(alreadyExisted) {}

    int m_fd;
    bool m_alreadyExisted;
};

} // namespace plat
