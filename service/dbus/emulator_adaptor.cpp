// Control of the emulated mice for kavox-devicectl and tests: plug, unplug, press the
// mouse's own buttons, ask it to launch a program, and show what it holds.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"
#include "service/memory_document.h"

namespace {

uint32_t ProductOf(const std::string& model) {
    if (model == "refresh" || model == "47") {
        return kProductRefresh;
    }
    if (model == "legacy" || model == "23") {
        return kProductLegacy;
    }
    throw BusError(E_INVALIDARG);
}

void Press(CServiceBus& bus, const std::string& serial, HRESULT (EmulatedMouse::*button)()) {
    Check(bus.Emulator().WithMouse(serial, [button](EmulatedMouse& mouse) { return (mouse.*button)(); }));
}

} // namespace

void AddEmulatorInterface(sdbus::IObject& object, CServiceBus& bus) {
    using Entry = sdbus::Struct<std::string, uint32_t, std::string>;
    object.registerMethod("List")
        .onInterface(bus::kEmulator)
        .withOutputParamNames("mice")
        .implementedAs([&bus]() {
            std::vector<Entry> mice;
            for (const std::string& serial : bus.Emulator().AttachedSerials()) {
                bus.Emulator().WithMouse(serial, [&](EmulatedMouse& mouse) {
                    mice.push_back(
                        Entry(serial, mouse.Model().productId, TextResult(mouse.Model().displayName)));
                    return S_OK;
                });
            }
            return mice;
        });
    object.registerMethod("Plug")
        .onInterface(bus::kEmulator)
        .withInputParamNames("model")
        .withOutputParamNames("serial")
        .implementedAs([&bus](const std::string& model) {
            std::string serial;
            Check(bus.Emulator().Plug(ProductOf(model), serial));
            return serial;
        });
    object.registerMethod("Unplug")
        .onInterface(bus::kEmulator)
        .withInputParamNames("serial")
        .implementedAs([&bus](const std::string& serial) { Check(bus.Emulator().Unplug(serial)); });
    object.registerMethod("PressDpiUp")
        .onInterface(bus::kEmulator)
        .withInputParamNames("serial")
        .implementedAs([&bus](const std::string& serial) { Press(bus, serial, &EmulatedMouse::PressDpiUp); });
    object.registerMethod("PressDpiDown")
        .onInterface(bus::kEmulator)
        .withInputParamNames("serial")
        .implementedAs(
            [&bus](const std::string& serial) { Press(bus, serial, &EmulatedMouse::PressDpiDown); });
    object.registerMethod("PressProfileNext")
        .onInterface(bus::kEmulator)
        .withInputParamNames("serial")
        .implementedAs(
            [&bus](const std::string& serial) { Press(bus, serial, &EmulatedMouse::PressProfileNext); });
    object.registerMethod("Launch")
        .onInterface(bus::kEmulator)
        .withInputParamNames("serial", "kind", "path")
        .implementedAs([&bus](const std::string& serial, int32_t kind, const std::string& path) {
            Check(bus.Emulator().WithMouse(serial, [&](EmulatedMouse& mouse) {
                mouse.RequestLaunch(kind, TextArgument(path));
                return S_OK;
            }));
        });
    object.registerMethod("Show")
        .onInterface(bus::kEmulator)
        .withInputParamNames("serial")
        .withOutputParamNames("memory")
        .implementedAs([&bus](const std::string& serial) {
            std::string text;
            Check(bus.Emulator().WithMouse(serial, [&](EmulatedMouse& mouse) {
                text = MemoryToText(mouse.Memory(), mouse.Model());
                return S_OK;
            }));
            return text;
        });
}
