// The profile manager of a device.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

namespace {

// The profile the bus names by GUID, as the in-process manager's argument.
std::shared_ptr<IProfile> ProfileArgument(IProfileManager& manager, const std::vector<uint8_t>& id) {
    std::shared_ptr<IProfile> profile;
    Check(manager.FindProfile(GuidArgument(id), profile));
    return profile;
}

sdbus::ObjectPath PathOf(CServiceBus& bus, const std::string& serial, IProfile& profile) {
    plat::GUID id;
    Check(profile.GetGuid(id));
    return sdbus::ObjectPath(bus.ProfilePath(serial, id));
}

} // namespace

void AddProfileManagerInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial) {
    auto manager = MakeLocalProfileManager(bus.ContextOf(serial));
    CServiceBus* b = &bus;
    object.registerMethod("GetProfile")
        .onInterface(bus::kProfileManager)
        .withInputParamNames("index")
        .withOutputParamNames("profile")
        .implementedAs([=](uint32_t index) {
            std::shared_ptr<IProfile> profile;
            Check(manager->GetProfile(index, profile));
            return PathOf(*b, serial, *profile);
        });
    object.registerMethod("FindProfile")
        .onInterface(bus::kProfileManager)
        .withInputParamNames("id")
        .withOutputParamNames("profile")
        .implementedAs([=](const std::vector<uint8_t>& id) {
            return PathOf(*b, serial, *ProfileArgument(*manager, id));
        });
    object.registerMethod("SetActiveProfile")
        .onInterface(bus::kProfileManager)
        .withInputParamNames("id")
        .implementedAs([=](const std::vector<uint8_t>& id) {
            Check(manager->SetActiveProfile(*ProfileArgument(*manager, id)));
        });
    object.registerMethod("GetActiveProfile")
        .onInterface(bus::kProfileManager)
        .withOutputParamNames("profile")
        .implementedAs([=]() {
            std::shared_ptr<IProfile> profile;
            Check(manager->GetActiveProfile(profile));
            return PathOf(*b, serial, *profile);
        });
    object.registerMethod("CreateProfile")
        .onInterface(bus::kProfileManager)
        .withOutputParamNames("profile")
        .implementedAs([=]() {
            std::shared_ptr<IProfile> profile;
            Check(manager->CreateProfile(profile));
            return PathOf(*b, serial, *profile);
        });
    object.registerMethod("DeleteProfile")
        .onInterface(bus::kProfileManager)
        .withInputParamNames("id")
        .implementedAs([=](const std::vector<uint8_t>& id) {
            Check(manager->DeleteProfile(*ProfileArgument(*manager, id)));
            b->DropObjects(b->ProfilePath(serial, GuidArgument(id)));
        });
    object.registerMethod("GetProfileCount")
        .onInterface(bus::kProfileManager)
        .withOutputParamNames("count")
        .implementedAs([=]() {
            uint32_t count = 0;
            Check(manager->GetProfileCount(count));
            return count;
        });
    object.registerMethod("ImportProfile")
        .onInterface(bus::kProfileManager)
        .withInputParamNames("path")
        .withOutputParamNames("profile")
        .implementedAs([=](const std::string& path) {
            std::shared_ptr<IProfile> profile;
            Check(manager->ImportProfile(TextArgument(path), profile));
            return PathOf(*b, serial, *profile);
        });
}
