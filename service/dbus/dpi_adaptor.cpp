// A profile's DPI stages and sensitivity. Its events are raised by the device object.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

namespace {

using Pair = sdbus::Struct<uint32_t, uint32_t>;

} // namespace

void AddDpiInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial,
                     const plat::GUID& id) {
    auto dpi = ProfileFeature<IDpi>(bus, serial, id);
    object.registerMethod("GetSensitivity")
        .onInterface(bus::kDpi)
        .withOutputParamNames("x", "y")
        .implementedAs([dpi]() {
            DpiPair pair;
            Check(dpi->GetSensitivity(pair));
            return std::make_tuple(pair.x, pair.y);
        });
    object.registerMethod("SetSensitivity")
        .onInterface(bus::kDpi)
        .withInputParamNames("x", "y")
        .implementedAs([dpi](uint32_t x, uint32_t y) { Check(dpi->SetSensitivity(x, y)); });
    object.registerMethod("GetHeader")
        .onInterface(bus::kDpi)
        .withOutputParamNames("version", "maxStages")
        .implementedAs([dpi]() {
            DpiHeader header;
            Check(dpi->GetHeader(header));
            return std::make_tuple(header.version, header.maxStages);
        });
    object.registerMethod("GetActiveStage")
        .onInterface(bus::kDpi)
        .withOutputParamNames("index")
        .implementedAs([dpi]() {
            uint32_t index = 0;
            Check(dpi->GetActiveStage(index));
            return index;
        });
    object.registerMethod("SetActiveStage")
        .onInterface(bus::kDpi)
        .withInputParamNames("index")
        .implementedAs([dpi](uint32_t index) { Check(dpi->SetActiveStage(index)); });
    object.registerMethod("GetStages")
        .onInterface(bus::kDpi)
        .withOutputParamNames("stages")
        .implementedAs([dpi]() {
            std::vector<DpiPair> stages;
            Check(dpi->GetStages(stages));
            std::vector<Pair> pairs;
            for (const DpiPair& pair : stages) {
                pairs.emplace_back(pair.x, pair.y);
            }
            return pairs;
        });
    object.registerMethod("SetStages")
        .onInterface(bus::kDpi)
        .withInputParamNames("stages")
        .implementedAs([dpi](const std::vector<Pair>& pairs) {
            std::vector<DpiPair> stages;
            for (const Pair& pair : pairs) {
                stages.push_back({pair.get<0>(), pair.get<1>()});
            }
            Check(dpi->SetStages(stages));
        });
    object.registerMethod("GetRange")
        .onInterface(bus::kDpi)
        .withOutputParamNames("minimum", "maximum", "step")
        .implementedAs([dpi]() {
            uint32_t minimum = 0, maximum = 0, step = 0;
            Check(dpi->GetRange(minimum, maximum, step));
            return std::make_tuple(minimum, maximum, step);
        });
}
