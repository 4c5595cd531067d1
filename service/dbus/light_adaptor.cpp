// A light with its colour, brightness and effect parts, all on the light's object.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

namespace {

template <class T> std::shared_ptr<T> Part(ILight& light) {
    std::shared_ptr<T> part;
    QueryAs(light, part);
    return part;
}

void AddLightParts(sdbus::IObject& object, ILight& light) {
    auto color = Part<ILightColor>(light);
    auto brightness = Part<ILightBrightness>(light);
    auto effect = Part<ILightEffect>(light);
    object.registerMethod("SetColor")
        .onInterface(bus::kLightColor)
        .withInputParamNames("color")
        .implementedAs([color](uint32_t value) { Check(color->SetColor(value)); });
    object.registerMethod("GetColor")
        .onInterface(bus::kLightColor)
        .withOutputParamNames("color")
        .implementedAs([color]() {
            uint32_t value = 0;
            Check(color->GetColor(value));
            return value;
        });
    object.registerMethod("SetBrightness")
        .onInterface(bus::kLightBrightness)
        .withInputParamNames("percent")
        .implementedAs([brightness](uint32_t value) { Check(brightness->SetBrightness(value)); });
    object.registerMethod("GetBrightness")
        .onInterface(bus::kLightBrightness)
        .withOutputParamNames("percent")
        .implementedAs([brightness]() {
            uint32_t value = 0;
            Check(brightness->GetBrightness(value));
            return value;
        });
    object.registerMethod("SetEffect")
        .onInterface(bus::kLightEffect)
        .withInputParamNames("effect", "first", "second")
        .implementedAs([effect](uint32_t value, uint32_t first, uint32_t second) {
            Check(effect->SetEffect(value, first, second));
        });
    object.registerMethod("GetEffect")
        .onInterface(bus::kLightEffect)
        .withOutputParamNames("effect", "first", "second")
        .implementedAs([effect]() {
            uint32_t value = 0, first = 0, second = 0;
            Check(effect->GetEffect(value, first, second));
            return std::make_tuple(value, first, second);
        });
}

} // namespace

void AddLightInterfaces(sdbus::IObject& object, CServiceBus& bus, const std::string& serial,
                        const plat::GUID& id, uint32_t index) {
    std::shared_ptr<ILighting> lighting = ProfileFeature<ILighting>(bus, serial, id);
    std::shared_ptr<ILight> light;
    Check(lighting->GetLight(index, light));
    const std::string path = object.getObjectPath();
    object.registerMethod("TurnOn").onInterface(bus::kLight).implementedAs([light]() {
        Check(light->TurnOn());
    });
    object.registerMethod("TurnOff").onInterface(bus::kLight).implementedAs([light]() {
        Check(light->TurnOff());
    });
    object.registerMethod("GetState")
        .onInterface(bus::kLight)
        .withOutputParamNames("on")
        .implementedAs([light]() {
            bool on = false;
            Check(light->GetState(on));
            return on;
        });
    object.registerMethod("GetNumber")
        .onInterface(bus::kLight)
        .withOutputParamNames("number")
        .implementedAs([light]() {
            uint32_t number = 0;
            Check(light->GetNumber(number));
            return number;
        });
    object.registerMethod("QueryInterface")
        .onInterface(bus::kLight)
        .withInputParamNames("iid")
        .withOutputParamNames("object")
        .implementedAs([light, path](const std::vector<uint8_t>& iid) {
            std::shared_ptr<IServiceObject> part;
            Check(light->QueryInterface(GuidArgument(iid), part));
            return sdbus::ObjectPath(path);
        });
    AddLightParts(object, *light);
}
