// Starting and stopping Xvfb. -displayfd makes the server choose a free display number
// and write it to a pipe once it accepts connections, so there is no race on numbers
// and no polling for a socket to appear.
#include "tests/platform/x11/xvfb_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

namespace plat::testing {

namespace {

using Clock = std::chrono::steady_clock;

// Waits for the child to end within `limit`; true when it ended.
bool WaitForExit(pid_t pid, std::chrono::milliseconds limit, int* status) {
    const auto deadline = Clock::now() + limit;
    for (;;) {
        const pid_t done = waitpid(pid, status, WNOHANG);
        if (done == pid || done < 0)
            return true;
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void KillAndReap(pid_t pid) {
    int status = 0;
    kill(pid, SIGTERM);
    if (!WaitForExit(pid, std::chrono::seconds(5), &status)) {
        kill(pid, SIGKILL);
        WaitForExit(pid, std::chrono::seconds(5), &status);
    }
}

// Starts a program with stdout and stderr sent to /dev/null, descriptor `passFd` (if
// any) handed over as 3, and `extraEnv` added to our environment. -1 when it cannot start.
pid_t Spawn(const std::vector<std::string>& argv, int passFd, const std::string& extraEnv) {
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char*> env;
    for (char** e = environ; *e; ++e)
        if (extraEnv.empty() || std::strncmp(*e, "DISPLAY=", 8) != 0)
            env.push_back(*e);
    if (!extraEnv.empty())
        env.push_back(const_cast<char*>(extraEnv.c_str()));
    env.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (passFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, passFd, 3);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

} // namespace

bool ProgramInstalled(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        const size_t end = dirs.find(':', start);
        const std::string dir =
            dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!dir.empty() && access((dir + "/" + name).c_str(), X_OK) == 0)
            return true;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return false;
}

bool XvfbServer::Installed() {
    return ProgramInstalled("Xvfb");
}

XvfbServer::XvfbServer() {
    if (!Installed())
        return;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return;
    m_pid = Spawn({"Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-br"},
                  fds[1], {});
    close(fds[1]);
    if (m_pid < 0) {
        close(fds[0]);
        return;
    }
    std::string number;
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < deadline) {
        pollfd p{fds[0], POLLIN, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (poll(&p, 1, static_cast<int>(std::max<long long>(1, left.count()))) <= 0)
            break;
        char buffer[32];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        number.append(buffer, static_cast<size_t>(n));
        if (number.find('\n') != std::string::npos)
            break;
    }
    close(fds[0]);
    while (!number.empty() && (number.back() == '\n' || number.back() == '\r'))
        number.pop_back();
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
        Stop();
        return;
    }
    m_display = ":" + number;
}

XvfbServer::~XvfbServer() {
    Stop();
}

void XvfbServer::Stop() {
    if (m_pid > 0)
        KillAndReap(m_pid);
    m_pid = -1;
}

bool RunWithDisplay(const std::string& display, const std::vector<std::string>& argv,
                    std::chrono::milliseconds limit) {
    const pid_t pid = Spawn(argv, -1, "DISPLAY=" + display);
    if (pid < 0)
        return false;
    int status = 0;
    if (!WaitForExit(pid, limit, &status)) {
        KillAndReap(pid);
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace plat::testing
