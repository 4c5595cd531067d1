// Mouse-wide acceleration.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

void AddAccelerationInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial) {
    auto feature = DeviceFeature<IAcceleration>(bus, serial);
    if (!feature) {
        return;
    }
    object.registerMethod("TurnOn").onInterface(bus::kAcceleration).implementedAs([feature]() {
        Check(feature->TurnOn());
    });
    object.registerMethod("TurnOff").onInterface(bus::kAcceleration).implementedAs([feature]() {
        Check(feature->TurnOff());
    });
    object.registerMethod("GetState")
        .onInterface(bus::kAcceleration)
        .withOutputParamNames("on")
        .implementedAs([feature]() {
            bool on = false;
            Check(feature->GetState(on));
            return on;
        });
    object.registerMethod("SetLevel")
        .onInterface(bus::kAcceleration)
        .withInputParamNames("level")
        .implementedAs([feature](uint32_t level) { Check(feature->SetLevel(level)); });
    object.registerMethod("GetLevel")
        .onInterface(bus::kAcceleration)
        .withOutputParamNames("level")
        .implementedAs([feature]() {
            uint32_t level = 0;
            Check(feature->GetLevel(level));
            return level;
        });
}
