// Signals a device object raises for its mouse: DPI changes of the active profile, active
// profile changes and launch requests.
#include "service/dbus/adaptors.h"

void AddDeviceEventSignals(sdbus::IObject& object) {
    object.registerSignal("DpiChanged")
        .onInterface(bus::kDpiEvents)
        .withParameters<int32_t, int32_t>("x", "y");
    object.registerSignal("ActiveProfileChanged")
        .onInterface(bus::kProfileManager)
        .withParameters<std::vector<uint8_t>>("profile");
    object.registerSignal("Launch")
        .onInterface(bus::kApplicationLaunch)
        .withParameters<int32_t, std::string>("kind", "path");
}
