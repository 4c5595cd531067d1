// The macro manager of a device.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

namespace {

std::shared_ptr<IMacro> MacroArgument(IMacroManager& manager, const std::vector<uint8_t>& id) {
    std::shared_ptr<IMacro> macro;
    Check(manager.FindMacro(GuidArgument(id), macro));
    return macro;
}

sdbus::ObjectPath PathOf(CServiceBus& bus, const std::string& serial, IMacro& macro) {
    plat::GUID id;
    Check(macro.GetGuid(id));
    return sdbus::ObjectPath(bus.MacroPath(serial, id));
}

} // namespace

void AddMacroManagerInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial) {
    auto manager = MakeLocalMacroManager(bus.ContextOf(serial));
    CServiceBus* b = &bus;
    object.registerMethod("GetMacro")
        .onInterface(bus::kMacroManager)
        .withInputParamNames("index")
        .withOutputParamNames("macro")
        .implementedAs([=](uint32_t index) {
            std::shared_ptr<IMacro> macro;
            Check(manager->GetMacro(index, macro));
            return PathOf(*b, serial, *macro);
        });
    object.registerMethod("FindMacro")
        .onInterface(bus::kMacroManager)
        .withInputParamNames("id")
        .withOutputParamNames("macro")
        .implementedAs(
            [=](const std::vector<uint8_t>& id) { return PathOf(*b, serial, *MacroArgument(*manager, id)); });
    object.registerMethod("CreateMacro")
        .onInterface(bus::kMacroManager)
        .withOutputParamNames("macro")
        .implementedAs([=]() {
            std::shared_ptr<IMacro> macro;
            Check(manager->CreateMacro(macro));
            return PathOf(*b, serial, *macro);
        });
    object.registerMethod("DeleteMacro")
        .onInterface(bus::kMacroManager)
        .withInputParamNames("id")
        .implementedAs([=](const std::vector<uint8_t>& id) {
            Check(manager->DeleteMacro(*MacroArgument(*manager, id)));
            b->DropObjects(b->MacroPath(serial, GuidArgument(id)));
        });
    object.registerMethod("GetMacroCount")
        .onInterface(bus::kMacroManager)
        .withOutputParamNames("count")
        .implementedAs([=]() {
            uint32_t count = 0;
            Check(manager->GetMacroCount(count));
            return count;
        });
    object.registerMethod("ImportMacro")
        .onInterface(bus::kMacroManager)
        .withInputParamNames("path")
        .withOutputParamNames("macro")
        .implementedAs([=](const std::string& path) {
            std::shared_ptr<IMacro> macro;
            Check(manager->ImportMacro(TextArgument(path), macro));
            return PathOf(*b, serial, *macro);
        });
}
