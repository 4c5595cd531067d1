// The limits of the emulated firmware.
#include "service/memory_rules.h"

#include "service/event_block.h"

#include <set>

namespace {

bool IsValidPolling(uint32_t code) {
    return code == kInterval1000Hz || code == kInterval500Hz || code == kInterval125Hz;
}

bool HasUniqueIds(const MouseMemory& memory) {
    std::set<std::u16string> ids;
    for (const ProfileMemory& profile : memory.profiles) {
        if (profile.id.IsNull() || !ids.insert(plat::GuidToString(profile.id)).second) {
            return false;
        }
    }
    for (const MacroMemory& macro : memory.macros) {
        if (macro.id.IsNull() || !ids.insert(plat::GuidToString(macro.id)).second) {
            return false;
        }
    }
    return true;
}

} // namespace

bool IsValidName(const std::u16string& name) {
    return !name.empty() && name.size() <= kMaxNameLength && name.find(u'\0') == std::u16string::npos;
}

bool IsValidApplication(const std::u16string& application) {
    return application.size() <= kMaxApplicationLength && application.find(u'\0') == std::u16string::npos;
}

bool IsValidPair(const ModelDescriptor& model, const DpiPair& pair) {
    return model.IsValidDpi(pair.x) && model.IsValidDpi(pair.y);
}

bool IsValidStages(const ModelDescriptor& model, const std::vector<DpiPair>& stages) {
    if (stages.empty() || stages.size() > model.maxStages) {
        return false;
    }
    for (const DpiPair& pair : stages) {
        if (!IsValidPair(model, pair)) {
            return false;
        }
    }
    return true;
}

bool IsValidFunction(const ModelDescriptor& model, const FunctionRecord& record) {
    return record.version == 1 && model.HasButton(record.buttonFlag) &&
           record.functionType <= kFunctionTypeLimit;
}

bool IsValidLight(const LightMemory& light) {
    return light.color <= 0xFFFFFF && light.brightness <= 100 && light.effect <= kMaxLightEffect;
}

bool IsValidProfile(const ModelDescriptor& model, const ProfileMemory& profile) {
    if (!IsValidName(profile.name) || !IsValidApplication(profile.application) ||
        (profile.flags & ~kKnownProfileFlags) != 0 || !IsValidStages(model, profile.stages) ||
        profile.activeStage >= profile.stages.size() || !IsValidPair(model, profile.sensitivity) ||
        profile.functions.size() != model.buttonFlags.size() ||
        profile.lights.size() != model.lightNumbers.size()) {
        return false;
    }
    for (size_t i = 0; i < profile.functions.size(); ++i) {
        const FunctionRecord record = FunctionRecord::FromBytes(profile.functions[i].data());
        if (!IsValidFunction(model, record) || record.buttonFlag != model.buttonFlags[i]) {
            return false;
        }
    }
    for (size_t i = 0; i < profile.lights.size(); ++i) {
        if (!IsValidLight(profile.lights[i]) || profile.lights[i].number != model.lightNumbers[i]) {
            return false;
        }
    }
    return true;
}

bool IsValidMacro(const MacroMemory& macro) {
    std::vector<BlockEvent> events;
    return IsValidName(macro.name) &&
           SUCCEEDED(DecodeEventBlock(macro.events.data(), macro.events.size(), events));
}

bool IsValidMemory(const ModelDescriptor& model, const MouseMemory& memory) {
    if (memory.profiles.empty() || memory.profiles.size() > model.maxProfiles ||
        memory.macros.size() > model.maxMacros || !HasUniqueIds(memory) ||
        memory.ActiveProfile() == nullptr) {
        return false;
    }
    for (const ProfileMemory& profile : memory.profiles) {
        if (!IsValidProfile(model, profile)) {
            return false;
        }
    }
    for (const MacroMemory& macro : memory.macros) {
        if (!IsValidMacro(macro)) {
            return false;
        }
    }
    return memory.accelerationLevel >= kMinAccelerationLevel &&
           memory.accelerationLevel <= kMaxAccelerationLevel && IsValidPolling(memory.pollingInterval) &&
           (memory.liftOffMode == kLiftOffAutomatic || memory.liftOffMode == kLiftOffCustom) &&
           memory.liftOffDistance <= kMaxLiftOffDistance &&
           (memory.recordingMode == kRecordingOff || memory.recordingMode == kRecordingOn);
}
