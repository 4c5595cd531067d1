// The device-information interface: vendor and product ids.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

void AddDeviceInfoInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial) {
    std::shared_ptr<IDeviceInfo> info;
    QueryAs(*MakeLocalDevice(bus.ContextOf(serial)), info);
    object.registerMethod("GetIds")
        .onInterface(bus::kDeviceInfo)
        .withOutputParamNames("vendorId", "productId")
        .implementedAs([info]() {
            uint32_t vendor = 0, product = 0;
            Check(info->GetIds(vendor, product));
            return std::make_tuple(vendor, product);
        });
}
