// Choosing the device object.
#include "device/device_choice.h"

#include <memory>

namespace {

std::unique_ptr<CMousePicker>& Picker() {
    static std::unique_ptr<CMousePicker> picker;
    return picker;
}

std::unique_ptr<CNullMouse>& NullMouse() {
    static std::unique_ptr<CNullMouse> mouse;
    return mouse;
}

} // namespace

IGenDevice* ChooseDevice(IMouseConfig* config, void* application, DeviceEnumeratorFactory factory,
                         CMousePicker::ArrivalCallback callback) {
    DeleteChosenDevice();
    Picker() = std::make_unique<CMousePicker>(std::move(factory), std::move(callback), application);
    if (Picker()->Initialize(config)) {
        return Picker().get();
    }
    Picker().reset();
    NullMouse() = std::make_unique<CNullMouse>();
    NullMouse()->Initialize(config);
    return NullMouse().get();
}

CMousePicker* ChosenPicker() {
    return Picker().get();
}

CNullMouse* ChosenNullMouse() {
    return NullMouse().get();
}

void DeleteChosenDevice() {
    Picker().reset();
    NullMouse().reset();
}
