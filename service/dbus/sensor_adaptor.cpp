// Lift-off and surface calibration, on models with the sensor interface.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

void AddSensorInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial) {
    auto feature = DeviceFeature<ISensor>(bus, serial);
    if (!feature) {
        return;
    }
    object.registerMethod("GetCalibration")
        .onInterface(bus::kSensor)
        .withOutputParamNames("on")
        .implementedAs([feature]() {
            bool on = false;
            Check(feature->GetCalibration(on));
            return on;
        });
    object.registerMethod("CalibrationOn").onInterface(bus::kSensor).implementedAs([feature]() {
        Check(feature->CalibrationOn());
    });
    object.registerMethod("CalibrationOff").onInterface(bus::kSensor).implementedAs([feature]() {
        Check(feature->CalibrationOff());
    });
    object.registerMethod("GetLiftOffMode")
        .onInterface(bus::kSensor)
        .withOutputParamNames("mode")
        .implementedAs([feature]() {
            uint32_t mode = 0;
            Check(feature->GetLiftOffMode(mode));
            return mode;
        });
    object.registerMethod("SetLiftOffMode")
        .onInterface(bus::kSensor)
        .withInputParamNames("mode")
        .implementedAs([feature](uint32_t mode) { Check(feature->SetLiftOffMode(mode)); });
    object.registerMethod("GetLiftOffDistance")
        .onInterface(bus::kSensor)
        .withOutputParamNames("distance")
        .implementedAs([feature]() {
            uint32_t distance = 0;
            Check(feature->GetLiftOffDistance(distance));
            return distance;
        });
    object.registerMethod("SetLiftOffDistance")
        .onInterface(bus::kSensor)
        .withInputParamNames("distance")
        .implementedAs([feature](uint32_t distance) { Check(feature->SetLiftOffDistance(distance)); });
}
