// On-the-fly macro recording mode.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

void AddRecordingInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial) {
    auto feature = DeviceFeature<IOnTheFlyRecording>(bus, serial);
    if (!feature) {
        return;
    }
    object.registerMethod("GetMode")
        .onInterface(bus::kOnTheFlyRecording)
        .withOutputParamNames("mode")
        .implementedAs([feature]() {
            uint32_t mode = 0;
            Check(feature->GetMode(mode));
            return mode;
        });
    object.registerMethod("SetMode")
        .onInterface(bus::kOnTheFlyRecording)
        .withInputParamNames("mode")
        .implementedAs([feature](uint32_t mode) { Check(feature->SetMode(mode)); });
}
