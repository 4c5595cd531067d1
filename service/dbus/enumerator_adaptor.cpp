// The root object's enumerator: attached devices by index, and device arrival and removal.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

void AddEnumeratorInterface(sdbus::IObject& object, CServiceBus& bus) {
    object.registerMethod("GetDevice")
        .onInterface(bus::kEnumerator)
        .withInputParamNames("index")
        .withOutputParamNames("device")
        .implementedAs([&bus](uint32_t index) {
            const std::vector<std::string> serials = bus.Emulator().AttachedSerials();
            if (index >= serials.size()) {
                throw BusError(E_NO_MORE_ITEMS);
            }
            return sdbus::ObjectPath(bus.DevicePath(serials[index]));
        });
    object.registerMethod("GetDeviceCount")
        .onInterface(bus::kEnumerator)
        .withOutputParamNames("count")
        .implementedAs([&bus]() { return static_cast<uint32_t>(bus.Emulator().AttachedSerials().size()); });
    object.registerSignal("DeviceArrived").onInterface(bus::kEnumerator).withParameters<std::string>("path");
    object.registerSignal("DeviceRemoved").onInterface(bus::kEnumerator).withParameters<std::string>("path");
}
