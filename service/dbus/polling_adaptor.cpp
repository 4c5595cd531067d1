// Mouse-wide polling rate.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

void AddPollingInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial) {
    auto feature = DeviceFeature<IPolling>(bus, serial);
    if (!feature) {
        return;
    }
    object.registerMethod("GetInterval")
        .onInterface(bus::kPolling)
        .withOutputParamNames("code")
        .implementedAs([feature]() {
            uint32_t code = 0;
            Check(feature->GetInterval(code));
            return code;
        });
    object.registerMethod("SetInterval")
        .onInterface(bus::kPolling)
        .withInputParamNames("code")
        .implementedAs([feature](uint32_t code) { Check(feature->SetInterval(code)); });
    object.registerMethod("GetRates")
        .onInterface(bus::kPolling)
        .withOutputParamNames("rates")
        .implementedAs([feature]() {
            std::vector<uint32_t> rates;
            Check(feature->GetRates(rates));
            return rates;
        });
}
