// The two emulated models.
#include "service/model_descriptor.h"

#include "device/contract.h"

#include <algorithm>

namespace {

// Buttons 1, 2, 3, 4, 5, 12, 13, 10, 11 by their device flags.
const std::vector<uint32_t> kButtonFlags{1, 2, 4, 8, 16, 128, 256, 512, 1024};
const std::vector<uint32_t> kLights{1, 4, kRecordingLightNumber};
const std::vector<uint32_t> kPollingRates{1000, 500, 125};

std::vector<ModelDescriptor> MakeModels() {
    ModelDescriptor refresh;
    refresh.productId = kProductRefresh;
    refresh.displayName = u"Kavox Corvantis Refresh";
    refresh.registryKey = {0x2C7E1A95, 0xB3D4, 0x4F08, {0x96, 0xA1, 0x5E, 0x0B, 0x8C, 0x7D, 0x3F, 0x26}};
    refresh.buttonFlags = kButtonFlags;
    refresh.lightNumbers = kLights;
    refresh.dpiMax = 6400;
    refresh.pollingRates = kPollingRates;
    refresh.hasSensor = true;
    refresh.firmwareMajor = 1;
    refresh.firmwareMinor = 7;
    refresh.otherMajor = 2;
    refresh.otherMinor = 3;
    refresh.capabilities = {1, 2, 4, 5, 6, 7, 10, 11, 12, 14, 16, 18};

    ModelDescriptor legacy = refresh;
    legacy.productId = kProductLegacy;
    legacy.displayName = u"Kavox Corvantis";
    legacy.registryKey = {0xE41D7B30, 0x6A5C, 0x4C92, {0x8B, 0x7F, 0x0D, 0x3E, 0x9A, 0x25, 0xC6, 0xB1}};
    legacy.dpiMax = 5600;
    legacy.hasSensor = false;
    legacy.firmwareMajor = 1;
    legacy.firmwareMinor = 2;
    legacy.otherMajor = 1;
    legacy.otherMinor = 10;
    legacy.capabilities = {1, 2, 4, 5, 6, 7, 10, 11, 12, 14, 16};
    return {refresh, legacy};
}

bool Contains(const std::vector<uint32_t>& list, uint32_t value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

} // namespace

bool ModelDescriptor::HasButton(uint32_t flag) const {
    return Contains(buttonFlags, flag);
}

bool ModelDescriptor::HasLight(uint32_t number) const {
    return Contains(lightNumbers, number);
}

uint32_t ModelDescriptor::ButtonFlagSet() const {
    uint32_t set = 0;
    for (uint32_t flag : buttonFlags) {
        set |= flag;
    }
    return set;
}

bool ModelDescriptor::IsValidDpi(uint32_t value) const {
    return value >= dpiMin && value <= dpiMax && (value - dpiMin) % dpiStep == 0;
}

const std::vector<ModelDescriptor>& AllModels() {
    static const std::vector<ModelDescriptor> models = MakeModels();
    return models;
}

const ModelDescriptor* FindModel(uint32_t productId) {
    for (const ModelDescriptor& model : AllModels()) {
        if (model.productId == productId) {
            return &model;
        }
    }
    return nullptr;
}
