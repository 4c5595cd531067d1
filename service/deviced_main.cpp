// kavox-deviced: the device service on the session bus. It attaches the emulated mice
// (one refresh mouse when nothing was configured), publishes the objects, then takes the
// bus name and serves calls until it is stopped. No timers: it sleeps until a call arrives.
#include "service/dbus/service_bus.h"
#include "service/mouse_store.h"
#include "service/registry_table.h"

#include <sdbus-c++/sdbus-c++.h>

#include <csignal>
#include <cstring>
#include <iostream>

namespace {

struct Arguments {
    std::string stateFolder = MouseStore::DefaultFolder();
    bool ok = true;
};

Arguments Parse(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--state") == 0 && i + 1 < argc) {
            arguments.stateFolder = argv[++i];
            if (!arguments.stateFolder.empty() && arguments.stateFolder.back() != '/') {
                arguments.stateFolder += '/';
            }
        } else {
            arguments.ok = false;
        }
    }
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    const Arguments arguments = Parse(argc, argv);
    if (!arguments.ok) {
        std::cerr << "usage: kavox-deviced [--state FOLDER]\n";
        return 2;
    }
    std::signal(SIGPIPE, SIG_IGN);
    try {
        CEmulator::Options options;
        options.stateFolder = arguments.stateFolder;
        options.tableWriter = WriteRegistryTable;
        auto emulator = std::make_shared<CEmulator>(options);
        auto connection = sdbus::createSessionBusConnection();
        CServiceBus service(*connection, emulator);
        connection->requestName(bus::kServiceName);
        connection->enterEventLoop();
    } catch (const sdbus::Error& error) {
        std::cerr << "kavox-deviced: " << error.getName() << ": " << error.getMessage() << "\n";
        return 1;
    }
    return 0;
}
