// A profile's list of lights.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

void AddLightingInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial,
                          const plat::GUID& id) {
    auto lighting = ProfileFeature<ILighting>(bus, serial, id);
    CServiceBus* b = &bus;
    const plat::GUID profile = id;
    object.registerMethod("GetLight")
        .onInterface(bus::kLighting)
        .withInputParamNames("index")
        .withOutputParamNames("light")
        .implementedAs([=](uint32_t index) {
            std::shared_ptr<ILight> light;
            Check(lighting->GetLight(index, light));
            return sdbus::ObjectPath(b->LightPath(serial, profile, index));
        });
}
