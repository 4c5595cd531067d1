// A macro: identity, name, events in the exchange block form, export.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

void AddMacroInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial,
                       const plat::GUID& id) {
    std::shared_ptr<IMacro> macro;
    MakeLocalMacroManager(bus.ContextOf(serial))->FindMacro(id, macro);
    if (!macro) {
        return;
    }
    object.registerMethod("GetGuid")
        .onInterface(bus::kMacro)
        .withOutputParamNames("id")
        .implementedAs([macro]() {
            plat::GUID value;
            Check(macro->GetGuid(value));
            return GuidBytes(value);
        });
    object.registerMethod("GetName")
        .onInterface(bus::kMacro)
        .withOutputParamNames("name")
        .implementedAs([macro]() {
            std::u16string name;
            Check(macro->GetName(name));
            return TextResult(name);
        });
    object.registerMethod("SetName")
        .onInterface(bus::kMacro)
        .withInputParamNames("name")
        .implementedAs([macro](const std::string& name) { Check(macro->SetName(TextArgument(name))); });
    object.registerMethod("ExportToFile")
        .onInterface(bus::kMacro)
        .withInputParamNames("path")
        .implementedAs([macro](const std::string& path) { Check(macro->ExportToFile(TextArgument(path))); });
    object.registerMethod("GetEvents")
        .onInterface(bus::kMacro)
        .withOutputParamNames("events")
        .implementedAs([macro]() {
            MacroEventBlock block;
            Check(macro->GetEvents(block));
            return block;
        });
    object.registerMethod("SetEvents")
        .onInterface(bus::kMacro)
        .withInputParamNames("events")
        .implementedAs([macro](const std::vector<uint8_t>& block) { Check(macro->SetEvents(block)); });
}
