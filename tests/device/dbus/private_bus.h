// A private session bus for one test: a dbus-daemon whose service folder is the build
// tree's, so the first call starts kavox-deviced by activation, on a throw-away state folder
// and registry.
#pragma once

#include "tests/platform/os/temp_folder.h"

#include <sys/types.h>

#include <string>
#include <vector>

// Starts `argv` (searched in PATH) with its standard output going to a pipe whose reading
// end is stored in `readEnd`; the child's pid, or 0 when it could not start.
pid_t SpawnReadingOutput(const std::vector<std::string>& argv, int& readEnd);

class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool Started() const { return !m_address.empty(); }
    const std::string& Folder() const { return m_folder.Path(); }
    std::string StateFolder() const { return m_folder.Path() + "/state/kavox/devices/"; }

    // The process id of the running service, 0 when none owns the name.
    pid_t ServicePid() const;
    pid_t BusPid() const { return m_daemon; }
    // Kills the service without warning (as a crash would) and waits until it is gone.
    void KillService();

    // Runs kavox-devicectl with `arguments`; its exit code, with its output in `output`.
    int DeviceCtl(const std::string& arguments, std::string* output = nullptr) const;

private:
    TempFolder m_folder;
    std::string m_address;
    pid_t m_daemon = 0;
};
