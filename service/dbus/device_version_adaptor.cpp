// The version interface: firmware major and minor numbers.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

void AddDeviceVersionInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial) {
    auto device = MakeLocalDevice(bus.ContextOf(serial));
    object.registerMethod("GetVersion")
        .onInterface(bus::kDeviceVersion)
        .withOutputParamNames("major", "minor")
        .implementedAs([device]() {
            std::shared_ptr<IDeviceVersion> version;
            Check(QueryAs(*device, version));
            uint32_t major = 0, minor = 0;
            Check(version->GetVersion(major, minor));
            return std::make_tuple(major, minor);
        });
}
