// Look-ups in a mouse's memory.
#include "service/mouse_memory.h"

ProfileMemory* MouseMemory::FindProfile(const plat::GUID& id) {
    for (ProfileMemory& profile : profiles) {
        if (profile.id == id) {
            return &profile;
        }
    }
    return nullptr;
}

const ProfileMemory* MouseMemory::FindProfile(const plat::GUID& id) const {
    return const_cast<MouseMemory*>(this)->FindProfile(id);
}

MacroMemory* MouseMemory::FindMacro(const plat::GUID& id) {
    for (MacroMemory& macro : macros) {
        if (macro.id == id) {
            return &macro;
        }
    }
    return nullptr;
}

const ProfileMemory* MouseMemory::ActiveProfile() const {
    return FindProfile(activeProfile);
}
