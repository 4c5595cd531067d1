// A private X server for tests and benchmarks: Xvfb on a display number it picks itself,
// stopped (and waited for) when the object goes away. Every wait is bounded.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include <sys/types.h>

namespace plat::testing {

class XvfbServer {
public:
    // Starts Xvfb with one 1280x1024x24 screen; Running() tells whether it came up.
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    static bool Installed();
    bool Running() const { return m_pid > 0 && !m_display.empty(); }
    // ":N"
    const std::string& Display() const { return m_display; }

private:
    void Stop();

    pid_t m_pid{-1};
    std::string m_display;
};

// Runs a program (searched in PATH) with DISPLAY set to `display`; false when it fails,
// cannot start or outlives `limit` (it is then killed).
bool RunWithDisplay(const std::string& display, const std::vector<std::string>& argv,
                    std::chrono::milliseconds limit = std::chrono::seconds(10));

// Whether a program can be found in PATH.
bool ProgramInstalled(const std::string& name);

} // namespace plat::testing
