// Writing the profile table through the registry store.
#include "service/registry_table.h"

#include "platform/os/registry.h"

#include <optional>

namespace {

constexpr char16_t kTableRoot[] = u"SOFTWARE\\KAVOX\\0.01\\";

bool WriteStringIfChanged(plat::RegistryKey& key, std::u16string_view name, const std::u16string& value) {
    const std::optional<std::u16string> current = key.ReadString(name);
    return (current && *current == value) || key.WriteString(name, value);
}

bool WriteBinaryIfChanged(plat::RegistryKey& key, std::u16string_view name,
                          const std::vector<uint8_t>& value) {
    const std::optional<std::vector<uint8_t>> current = key.ReadBinary(name);
    return (current && *current == value) || key.WriteBinary(name, value);
}

bool WriteProfile(plat::RegistryKey& profiles, const ProfileMemory& profile) {
    std::optional<plat::RegistryKey> key = profiles.CreateSubKey(plat::GuidToString(profile.id));
    return key && WriteStringIfChanged(*key, u"Name", profile.name) &&
           WriteBinaryIfChanged(*key, u"AppPath", AppPathValue(profile));
}

void RemoveStaleProfiles(plat::RegistryKey& profiles, const MouseMemory& memory) {
    for (const std::u16string& name : profiles.SubKeys()) {
        const std::optional<plat::GUID> id = plat::GuidFromString(name);
        if (!id || memory.FindProfile(*id) == nullptr || plat::GuidToString(*id) != name) {
            profiles.DeleteSubKeyTree(name);
        }
    }
}

} // namespace

std::vector<uint8_t> AppPathValue(const ProfileMemory& profile) {
    std::vector<uint8_t> value(4, 0);
    value[0] = (profile.flags & kProfileFlagApplicationLink) ? 1 : 0;
    value[1] = (profile.flags & kProfileFlagDpiDisplay) ? 1 : 0;
    for (char16_t unit : profile.application) {
        value.push_back(static_cast<uint8_t>(unit));
        value.push_back(static_cast<uint8_t>(unit >> 8));
    }
    value.push_back(0);
    value.push_back(0);
    return value;
}

bool WriteRegistryTable(const ModelDescriptor& model, const MouseMemory& memory) {
    std::optional<plat::RegistryKey> modelKey = plat::RegistryKey::Create(
        plat::RegistryHive::LocalMachine, std::u16string(kTableRoot) + plat::GuidToString(model.registryKey));
    if (!modelKey) {
        return false;
    }
    const ProfileMemory* active = memory.ActiveProfile();
    const uint8_t osd = active != nullptr && (active->flags & kProfileFlagProfileDisplay) ? 1 : 0;
    std::optional<plat::RegistryKey> profiles = modelKey->CreateSubKey(u"PROFILES");
    if (!WriteBinaryIfChanged(*modelKey, u"ProfileOsd", {osd}) || !profiles) {
        return false;
    }
    RemoveStaleProfiles(*profiles, memory);
    bool written = true;
    for (const ProfileMemory& profile : memory.profiles) {
        written = WriteProfile(*profiles, profile) && written;
    }
    // The active profile is named last, so a reader that sees it finds its key complete.
    return WriteStringIfChanged(*profiles, u"ActiveProfile", plat::GuidToString(memory.activeProfile)) &&
           written;
}
