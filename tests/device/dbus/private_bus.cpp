// Starting and stopping the private dbus-daemon and the activated service.
#include "private_bus.h"

#include <sdbus-c++/sdbus-c++.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

void WriteConfig(const std::string& path) {
    std::ofstream(path)
        << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
           " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
           "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>\n"
           "<servicedir>" KAVOX_DBUS_SERVICE_DIR "</servicedir>\n"
           "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
           "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n";
}

} // namespace

pid_t SpawnReadingOutput(const std::vector<std::string>& argv, int& readEnd) {
    int out[2];
    if (pipe(out) != 0) {
        return 0;
    }
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return 0;
    }
    readEnd = out[0];
    return pid;
}

PrivateBus::PrivateBus() {
    const std::string root = m_folder.Path();
    setenv("XDG_STATE_HOME", (root + "/state").c_str(), 1);
    setenv("KAVOX_REGISTRY", (root + "/registry").c_str(), 1);
    WriteConfig(root + "/bus.conf");

    int output = -1;
    m_daemon = SpawnReadingOutput(
        {"dbus-daemon", "--config-file=" + root + "/bus.conf", "--nofork", "--print-address=1"}, output);
    if (m_daemon == 0) {
        return;
    }
    char buffer[512];
    std::string line;
    ssize_t got = 0;
    while (line.find('\n') == std::string::npos && (got = read(output, buffer, sizeof buffer)) > 0) {
        line.append(buffer, static_cast<size_t>(got));
    }
    close(output);
    m_address = line.substr(0, line.find('\n'));
    setenv("DBUS_SESSION_BUS_ADDRESS", m_address.c_str(), 1);
}

PrivateBus::~PrivateBus() {
    if (ServicePid() > 0) {
        KillService();
    }
    if (m_daemon > 0) {
        kill(m_daemon, SIGTERM);
        waitpid(m_daemon, nullptr, 0);
    }
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
}

pid_t PrivateBus::ServicePid() const {
    try {
        auto connection = sdbus::createSessionBusConnection();
        auto proxy = sdbus::createProxy(*connection, "org.freedesktop.DBus", "/org/freedesktop/DBus");
        uint32_t pid = 0;
        proxy->callMethod("GetConnectionUnixProcessID")
            .onInterface("org.freedesktop.DBus")
            .withArguments(std::string("com.kavox.DeviceService1"))
            .storeResultsTo(pid);
        return static_cast<pid_t>(pid);
    } catch (const sdbus::Error&) {
        return 0;
    }
}

void PrivateBus::KillService() {
    const pid_t pid = ServicePid();
    if (pid <= 0) {
        return;
    }
    kill(pid, SIGKILL);
    for (int i = 0; i < 500 && ServicePid() == pid; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

int PrivateBus::DeviceCtl(const std::string& arguments, std::string* output) const {
    const std::string command = std::string(KAVOX_DEVICECTL) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return -1;
    }
    char buffer[4096];
    std::string text;
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        text.append(buffer, got);
    }
    const int status = pclose(pipe);
    if (output != nullptr) {
        *output = text;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
