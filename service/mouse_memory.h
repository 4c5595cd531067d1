// What an emulated mouse holds in its memory: profiles with their identity, DPI stages,
// button functions and lights; macros; mouse-wide settings; the active profile.
#pragma once

#include "device/contract.h"
#include "platform/text/guid.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using FunctionBytes = std::array<uint8_t, FunctionRecord::kSize>;

struct LightMemory {
    uint32_t number = 0;
    bool on = true;
    uint32_t color = 0;
    uint32_t brightness = 100;
    uint32_t effect = 0;
    uint32_t effectFirst = 0;
    uint32_t effectSecond = 0;
    friend bool operator==(const LightMemory&, const LightMemory&) = default;
};

struct ProfileMemory {
    plat::GUID id;
    std::u16string name;
    std::u16string application;
    uint32_t flags = 0;
    std::vector<DpiPair> stages;
    uint32_t activeStage = 0;
    DpiPair sensitivity;
    // One record per button of the model, in the order of its button flags.
    std::vector<FunctionBytes> functions;
    // One per light of the model, in the order of its light numbers.
    std::vector<LightMemory> lights;
    friend bool operator==(const ProfileMemory&, const ProfileMemory&) = default;
};

struct MacroMemory {
    plat::GUID id;
    std::u16string name;
    MacroEventBlock events;
    friend bool operator==(const MacroMemory&, const MacroMemory&) = default;
};

struct MouseMemory {
    std::vector<ProfileMemory> profiles;
    plat::GUID activeProfile;
    std::vector<MacroMemory> macros;
    bool accelerationOn = false;
    uint32_t accelerationLevel = 5;
    uint32_t pollingInterval = kInterval1000Hz;
    bool calibrationOn = true;
    uint32_t liftOffMode = kLiftOffAutomatic;
    uint32_t liftOffDistance = 2;
    uint32_t recordingMode = kRecordingOff;
    friend bool operator==(const MouseMemory&, const MouseMemory&) = default;

    ProfileMemory* FindProfile(const plat::GUID& id);
    const ProfileMemory* FindProfile(const plat::GUID& id) const;
    MacroMemory* FindMacro(const plat::GUID& id);
    const ProfileMemory* ActiveProfile() const;
};
