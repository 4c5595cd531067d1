// Factory profiles: sensible stages within the model's range, the usual button functions
// (click, menu, scrolling, back and forward, wheel up and down, DPI up and down), lights on.
#include "service/factory_state.h"

#include "service/guid_source.h"

#include <algorithm>

namespace {

constexpr uint32_t kTypeBasic = 1;

struct FactoryButton {
    uint32_t flag;
    uint32_t code; // basic function code
};

// click 1, menu 2, universal scrolling 3, forward 4, back 5, wheel up 6, wheel down 7,
// DPI stage up 9, DPI stage down 10.
constexpr FactoryButton kFactoryButtons[] = {{1, 1},   {2, 2},   {4, 3},   {8, 5},    {16, 4},
                                             {128, 6}, {256, 7}, {512, 9}, {1024, 10}};

constexpr uint32_t kFactoryStages[] = {400, 800, 1600, 3200, 6400};

uint32_t LightColor(uint32_t number) {
    switch (number) {
    case 1:
        return 0x0000FF; // red scroll wheel
    case 4:
        return 0xFF8000; // blue logo
    default:
        return 0x0000FF;
    }
}

} // namespace

FunctionBytes FactoryFunction(uint32_t buttonFlag) {
    FunctionRecord record;
    record.buttonFlag = buttonFlag;
    for (const FactoryButton& button : kFactoryButtons) {
        if (button.flag == buttonFlag) {
            record.functionType = kTypeBasic;
            record.data[0] = static_cast<uint8_t>(button.code);
        }
    }
    return record.ToBytes();
}

LightMemory FactoryLight(uint32_t number) {
    LightMemory light;
    light.number = number;
    light.on = number != kRecordingLightNumber;
    light.color = LightColor(number);
    light.brightness = 100;
    return light;
}

ProfileMemory MakeFactoryProfile(const ModelDescriptor& model, std::u16string name) {
    ProfileMemory profile;
    profile.id = NewRandomGuid();
    profile.name = std::move(name);
    profile.flags = kProfileFlagDpiDisplay | kProfileFlagProfileDisplay;
    for (uint32_t value : kFactoryStages) {
        const uint32_t dpi = std::clamp(value, model.dpiMin, model.dpiMax);
        profile.stages.push_back({dpi, dpi});
    }
    profile.stages.resize(std::min<size_t>(profile.stages.size(), model.maxStages));
    profile.activeStage = 1;
    profile.sensitivity = profile.stages[1];
    for (uint32_t flag : model.buttonFlags) {
        profile.functions.push_back(FactoryFunction(flag));
    }
    for (uint32_t number : model.lightNumbers) {
        profile.lights.push_back(FactoryLight(number));
    }
    return profile;
}

MouseMemory MakeFactoryMemory(const ModelDescriptor& model) {
    MouseMemory memory;
    for (const char16_t* name : {u"Default", u"Gaming", u"Office"}) {
        memory.profiles.push_back(MakeFactoryProfile(model, name));
    }
    memory.profiles[1].stages = {{800, 800}, {1600, 1600}, {3200, 3200}};
    memory.profiles[1].sensitivity = memory.profiles[1].stages[1];
    memory.profiles[2].stages = {{400, 400}, {800, 800}};
    memory.profiles[2].activeStage = 0;
    memory.profiles[2].sensitivity = memory.profiles[2].stages[0];
    memory.activeProfile = memory.profiles[0].id;
    memory.accelerationOn = false;
    memory.accelerationLevel = 5;
    memory.pollingInterval = kInterval1000Hz;
    memory.calibrationOn = model.hasSensor;
    return memory;
}
