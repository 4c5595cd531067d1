// The supported mouse models: product id, what the model's service offers, display name.
// A device object is bound to one entry for its life.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Capabilities a model may list.
enum tCapability : int {
    CAP_PROFILES = 1,
    CAP_BUTTONS = 2,
    CAP_KEYS = 3,
    CAP_MACROS = 4,
    CAP_LIGHTING = 5,
    CAP_VERSIONS = 6,
    CAP_IDENTITY = 7,
    CAP_POWER_ENTRIES = 9,
    CAP_DPI = 10,
    CAP_POLLING = 11,
    CAP_ACCELERATION = 12,
    CAP_POWER_READINGS = 14,
    CAP_POWER_SETTINGS = 15,
    CAP_SECOND_VERSION = 16,
    CAP_SENSOR = 18,
};

// Bits of the transfer mask.
enum : uint32_t {
    MASK_BUTTONS = 0x001,
    MASK_KEYS = 0x002,
    MASK_LIGHTING = 0x004,
    MASK_DPI = 0x008,
    MASK_MACROS = 0x010,
    MASK_POLLING = 0x020,
    MASK_ACCELERATION = 0x040,
    MASK_POWER_ENTRIES = 0x080,
    MASK_IDENTITY = 0x100,
    MASK_PROFILES = 0x200,
    MASK_POWER_READINGS = 0x400,
    MASK_POWER_SETTINGS = 0x800,
    MASK_SECOND_VERSION = 0x1000,
    MASK_SENSOR = 0x2000,
    MASK_ANY_PROFILE = 0x30F,
    MASK_FULL_READ = 0x3B7D,
    MASK_FULL_WRITE = 0x2FFF,
};

struct MouseModelEntry {
    uint32_t productId = 0;
    const int* capabilities = nullptr;
    size_t capabilityCount = 0;
    std::u16string_view displayName;

    bool Has(int capability) const;
};

// Product 47 first, then 23.
const std::array<MouseModelEntry, 2>& MouseModelTable();
