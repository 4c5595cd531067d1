#include "model/config_name_lookups.h"

#include "model/i_mouse_config.h"
#include "model/i_mouse_profile.h"
#include "model/macro.h"

namespace {

std::u16string NameOf(const CMacro* macro) {
    return macro ? macro->GetName() : std::u16string();
}
std::u16string NameOf(const IMouseProfile* profile) {
    return profile ? profile->GetName() : std::u16string();
}

} // namespace

AssignmentNameLookups ConfigNameLookups(const IMouseConfig& config) {
    const IMouseConfig* c = &config;
    return AssignmentNameLookups{
        [c](const GUID& id) { return NameOf(c->FindMacroByGUID(id)); },
        [c](std::u16string_view name) { return NameOf(c->FindMacroByName(name)); },
        [c](const GUID& id) { return NameOf(c->FindProfileByGUID(id)); },
        [c](std::u16string_view name) { return NameOf(c->FindProfileByName(name)); },
    };
}
