// A profile's property store: application name and profile flags.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

void AddPropertyStoreInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial,
                               const plat::GUID& id) {
    auto store = ProfileFeature<IPropertyStore>(bus, serial, id);
    object.registerMethod("ReadProperty")
        .onInterface(bus::kPropertyStore)
        .withInputParamNames("property", "capacity")
        .withOutputParamNames("data")
        .implementedAs([store](uint32_t property, uint32_t capacity) {
            std::vector<uint8_t> data;
            Check(store->ReadProperty(property, capacity, data));
            return data;
        });
    object.registerMethod("WriteProperty")
        .onInterface(bus::kPropertyStore)
        .withInputParamNames("property", "data")
        .implementedAs([store](uint32_t property, const std::vector<uint8_t>& data) {
            Check(store->WriteProperty(property, data));
        });
}
