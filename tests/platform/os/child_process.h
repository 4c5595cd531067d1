// A forked child for tests that need a second process: it runs a setup step, reports that
// it is ready, then holds still until the test lets it end (or is killed).
#pragma once

#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

class ChildProcess {
public:
    explicit ChildProcess(const std::function<void()>& setup) {
        int ready[2], release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0) {
            return;
        }
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            setup();
            const char byte = 1;
            (void)!::write(ready[1], &byte, 1);
            char ignored;
            (void)!::read(release[0], &ignored, 1);
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        char byte = 0;
        (void)!::read(ready[0], &byte, 1);
        ::close(ready[0]);
        m_release = release[1];
    }
    ~ChildProcess() { End(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    int Pid() const { return m_pid; }

    // Lets the child end and waits until it has.
    void End() {
        if (m_release >= 0) {
            ::close(m_release);
            m_release = -1;
        }
        if (m_pid > 0) {
            int status = 0;
            ::waitpid(m_pid, &status, 0);
            m_pid = -1;
        }
    }

private:
    int m_pid{-1};
    int m_release{-1};
};
