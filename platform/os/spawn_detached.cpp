#include "platform/os/spawn_detached.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace plat {
namespace {

struct Failure {
    int stage;
    int error;
};

// Runs in the forked child, where only async-signal-safe calls may be made.
[[noreturn]] void Fail(int reportFd, SpawnResult::Stage stage) {
    const Failure failure{static_cast<int>(stage), errno};
    (void)!::write(reportFd, &failure, sizeof failure);
    ::_exit(127);
}

[[noreturn]] void RunGrandchild(int reportFd, const char* program, char* const* argv, const char* folder) {
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal) {
        ::sigaction(signal, &defaults, nullptr);
    }
    // Descriptors the caller forgot to mark close-on-exec do not leak into the program.
    ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
    if (*folder && ::chdir(folder) != 0) {
        Fail(reportFd, SpawnResult::Stage::Folder);
    }
    ::execve(program, argv, environ);
    Fail(reportFd, SpawnResult::Stage::Exec);
}

} // namespace

SpawnResult SpawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& folder) {
    // Everything the child needs is built before forking.
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        return {SpawnResult::Stage::Fork, errno};
    }
    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        return {SpawnResult::Stage::Fork, error};
    }
    if (child == 0) {
        ::close(report[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild < 0) {
            Fail(report[1], SpawnResult::Stage::Fork);
        }
        if (grandchild > 0) {
            ::_exit(0);
        }
        RunGrandchild(report[1], program.c_str(), argv.data(), folder.c_str());
    }
    ::close(report[1]);
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    // The report pipe closes without a word when exec succeeds.
    Failure failure{};
    ssize_t n;
    while ((n = ::read(report[0], &failure, sizeof failure)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    if (n == static_cast<ssize_t>(sizeof failure)) {
        return {static_cast<SpawnResult::Stage>(failure.stage), failure.error};
    }
    return {};
}

} // namespace plat
