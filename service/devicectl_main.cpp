// kavox-devicectl: plug and unplug emulated mice, press their buttons, ask them to launch
// a program, and show what they hold, through the service's Emulator interface.
#include "device/contract.h"

#include <sdbus-c++/sdbus-c++.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = "usage: kavox-devicectl COMMAND\n"
                               "  list                 the attached mice\n"
                               "  plug refresh|legacy  attach a mouse (its serial is printed)\n"
                               "  unplug SERIAL        detach a mouse\n"
                               "  dpi-up [SERIAL]      press the DPI stage up button\n"
                               "  dpi-down [SERIAL]    press the DPI stage down button\n"
                               "  profile-next [SERIAL] press the profile button\n"
                               "  launch KIND PATH [SERIAL]  ask the service to launch PATH\n"
                               "  show [SERIAL]        what the mouse holds\n";

using Entry = sdbus::Struct<std::string, uint32_t, std::string>;

std::vector<Entry> List(sdbus::IProxy& proxy) {
    std::vector<Entry> mice;
    proxy.callMethod("List").onInterface(bus::kEmulator).storeResultsTo(mice);
    return mice;
}

// The serial given, or the first attached mouse's.
std::string SerialArgument(sdbus::IProxy& proxy, const std::vector<std::string>& args, size_t at) {
    if (at < args.size()) {
        return args[at];
    }
    const std::vector<Entry> mice = List(proxy);
    return mice.empty() ? std::string() : mice.front().get<0>();
}

int Run(sdbus::IProxy& proxy, const std::vector<std::string>& args) {
    const std::string& command = args[0];
    if (command == "list") {
        for (const Entry& mouse : List(proxy)) {
            std::cout << mouse.get<0>() << "\t" << mouse.get<1>() << "\t" << mouse.get<2>() << "\n";
        }
        return 0;
    }
    if (command == "plug" && args.size() == 2) {
        std::string serial;
        proxy.callMethod("Plug").onInterface(bus::kEmulator).withArguments(args[1]).storeResultsTo(serial);
        std::cout << serial << "\n";
        return 0;
    }
    if (command == "unplug" && args.size() == 2) {
        proxy.callMethod("Unplug").onInterface(bus::kEmulator).withArguments(args[1]);
        return 0;
    }
    static const std::map<std::string, std::string> presses = {
        {"dpi-up", "PressDpiUp"}, {"dpi-down", "PressDpiDown"}, {"profile-next", "PressProfileNext"}};
    if (const auto press = presses.find(command); press != presses.end() && args.size() <= 2) {
        proxy.callMethod(press->second)
            .onInterface(bus::kEmulator)
            .withArguments(SerialArgument(proxy, args, 1));
        return 0;
    }
    if (command == "launch" && (args.size() == 3 || args.size() == 4)) {
        const int32_t kind = std::atoi(args[1].c_str());
        proxy.callMethod("Launch")
            .onInterface(bus::kEmulator)
            .withArguments(SerialArgument(proxy, args, 3), kind, args[2]);
        return 0;
    }
    if (command == "show" && args.size() <= 2) {
        std::string memory;
        proxy.callMethod("Show")
            .onInterface(bus::kEmulator)
            .withArguments(SerialArgument(proxy, args, 1))
            .storeResultsTo(memory);
        std::cout << memory << "\n";
        return 0;
    }
    std::cerr << kUsage;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    try {
        auto connection = sdbus::createSessionBusConnection();
        auto proxy = sdbus::createProxy(*connection, bus::kServiceName, bus::kRootPath);
        return Run(*proxy, args);
    } catch (const sdbus::Error& error) {
        std::cerr << "kavox-devicectl: " << error.getMessage() << "\n";
        return 1;
    }
}
