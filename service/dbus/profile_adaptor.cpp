// A profile: identity, name, export, and its per-profile features.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

void AddProfileInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial,
                         const plat::GUID& id) {
    auto profile = MakeLocalProfile(bus.ContextOf(serial), id);
    const std::string path = object.getObjectPath();
    object.registerMethod("GetFeature")
        .onInterface(bus::kProfile)
        .withInputParamNames("iid")
        .withOutputParamNames("feature")
        .implementedAs([profile, path](const std::vector<uint8_t>& iid) {
            std::shared_ptr<IServiceObject> feature;
            Check(profile->GetFeature(GuidArgument(iid), feature));
            return sdbus::ObjectPath(path);
        });
    object.registerMethod("GetGuid")
        .onInterface(bus::kProfile)
        .withOutputParamNames("id")
        .implementedAs([profile]() {
            plat::GUID value;
            Check(profile->GetGuid(value));
            return GuidBytes(value);
        });
    object.registerMethod("GetName")
        .onInterface(bus::kProfile)
        .withOutputParamNames("name")
        .implementedAs([profile]() {
            std::u16string name;
            Check(profile->GetName(name));
            return TextResult(name);
        });
    object.registerMethod("SetName")
        .onInterface(bus::kProfile)
        .withInputParamNames("name")
        .implementedAs([profile](const std::string& name) { Check(profile->SetName(TextArgument(name))); });
    object.registerMethod("IsActive")
        .onInterface(bus::kProfile)
        .withOutputParamNames("active")
        .implementedAs([profile]() {
            bool active = false;
            Check(profile->IsActive(active));
            return active;
        });
    object.registerMethod("ExportToFile")
        .onInterface(bus::kProfile)
        .withInputParamNames("path")
        .implementedAs(
            [profile](const std::string& file) { Check(profile->ExportToFile(TextArgument(file))); });
}
