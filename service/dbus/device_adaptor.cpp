// A device: its information record, its features and its base queries, which answer with
// the path of the object carrying the requested interface.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

void AddDeviceInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial) {
    auto device = MakeLocalDevice(bus.ContextOf(serial));
    const std::string path = object.getObjectPath();
    object.registerMethod("GetInformation")
        .onInterface(bus::kDevice)
        .withOutputParamNames("reserved", "productId", "otherMajor", "otherMinor", "firmwareMajor",
                              "firmwareMinor", "text")
        .implementedAs([device]() {
            DeviceInformation info;
            Check(device->GetInformation(info));
            return std::make_tuple(info.reserved, info.productId, info.otherMajor, info.otherMinor,
                                   info.firmwareMajor, info.firmwareMinor, TextResult(info.text));
        });
    object.registerMethod("GetFeature")
        .onInterface(bus::kDevice)
        .withInputParamNames("iid")
        .withOutputParamNames("feature")
        .implementedAs([device, path](const std::vector<uint8_t>& iid) {
            std::shared_ptr<IServiceObject> feature;
            Check(device->GetFeature(GuidArgument(iid), feature));
            return sdbus::ObjectPath(path);
        });
    object.registerMethod("QueryInterface")
        .onInterface(bus::kDevice)
        .withInputParamNames("iid")
        .withOutputParamNames("object")
        .implementedAs([device, path](const std::vector<uint8_t>& iid) {
            std::shared_ptr<IServiceObject> answer;
            Check(device->QueryInterface(GuidArgument(iid), answer));
            return sdbus::ObjectPath(path);
        });
}
