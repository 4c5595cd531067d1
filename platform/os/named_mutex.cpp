#include "platform/os/named_mutex.h"

#include "platform/os/file_util.h"
#include "platform/os/runtime_file_name.h"
#include "platform/os/user_folders.h"
#include "platform/text/utf.h"

#include <cerrno>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace plat {
namespace {

// Byte 0 of the lock file is held shared by every open handle, so trying it exclusively
// tells whether anyone else has the name open. Byte 1 is held exclusively by the owner.
constexpr off_t kPresenceByte = 0;
constexpr off_t kOwnerByte = 1;
constexpr auto kPollInterval = std::chrono::milliseconds(5);

bool LockByte(int fd, off_t byte, short type, bool block) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = byte;
    lock.l_len = 1;
    for (;;) {
        if (::fcntl(fd, block ? F_OFD_SETLKW : F_OFD_SETLK, &lock) == 0) {
            return true;
        }
        if (errno != EINTR) {
            return false;
        }
    }
}

} // namespace

std::string NamedMutex::LockFilePath(std::u16string_view name) {
    return Utf16ToUtf8(UserRuntimeFolder()) + EscapeForFileName(name) + ".mutex";
}

std::unique_ptr<NamedMutex> NamedMutex::Create(std::u16string_view name) {
    if (name.empty() || !CreateFolders(Utf16ToUtf8(UserRuntimeFolder()))) {
        return nullptr;
    }
    const int fd = ::open(LockFilePath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return nullptr;
    }
    // Changing an open-file lock from exclusive to shared is atomic, so no other opener can
    // slip in between and also believe it came first.
    const bool first = LockByte(fd, kPresenceByte, F_WRLCK, false);
    if (!LockByte(fd, kPresenceByte, F_RDLCK, true)) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<NamedMutex>(new NamedMutex(fd, !first));
}

NamedMutex::~NamedMutex() {
    ::close(m_fd);
}

NamedMutex::WaitResult NamedMutex::Wait(std::chrono::milliseconds timeout) {
    // Open-file locks have no timed wait; polling at a few milliseconds is fine for the
    // start-up checks that use this.
    const bool forever = timeout >= std::chrono::hours(24 * 365);
    const auto deadline =
        forever ? std::chrono::steady_clock::time_point::max() : std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (LockByte(m_fd, kOwnerByte, F_WRLCK, false)) {
            return WaitResult::Acquired;
        }
        if (errno != EAGAIN && errno != EACCES) {
            return WaitResult::Failed;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return WaitResult::TimedOut;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(kPollInterval, deadline - now));
    }
}

bool NamedMutex::Release() {
    return LockByte(m_fd, kOwnerByte, F_UNLCK, false);
}

} // namespace plat
