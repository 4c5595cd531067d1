// What each emulated model is: its buttons, lights, DPI range, polling list, versions and
// capabilities. A table, so adding a model never means new branches in the firmware code.
#pragma once

#include "platform/text/guid.h"

#include <cstdint>
#include <string>
#include <vector>

struct ModelDescriptor {
    uint32_t productId = 0;
    std::u16string displayName;
    // The model's key in the registry profile table.
    plat::GUID registryKey;
    // Device flags of the buttons, lowest first.
    std::vector<uint32_t> buttonFlags;
    // Numbers of the lights every profile has, in enumeration order.
    std::vector<uint32_t> lightNumbers;
    uint32_t dpiMin = 100;
    uint32_t dpiMax = 6400;
    uint32_t dpiStep = 100;
    uint32_t maxStages = 5;
    std::vector<uint32_t> pollingRates;
    bool hasSensor = false;
    uint32_t firmwareMajor = 1;
    uint32_t firmwareMinor = 0;
    uint32_t otherMajor = 1;
    uint32_t otherMinor = 0;
    std::vector<uint32_t> capabilities;
    uint32_t maxProfiles = 20;
    uint32_t maxMacros = 256;

    bool HasButton(uint32_t flag) const;
    bool HasLight(uint32_t number) const;
    uint32_t ButtonFlagSet() const;
    bool IsValidDpi(uint32_t value) const;
};

// The descriptor of a product id; nullptr for an unknown product.
const ModelDescriptor* FindModel(uint32_t productId);

// Every model, in the order the tools list them.
const std::vector<ModelDescriptor>& AllModels();

// The light that shows on-the-fly recording.
constexpr uint32_t kRecordingLightNumber = 7;
