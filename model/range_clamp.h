// Clamping as the settings model does it: a value above the maximum becomes the maximum,
// otherwise one below the minimum becomes the minimum. An inverted range yields its maximum.
#pragma once

#include <cstdint>

inline uint32_t ClampToRange(uint32_t value, uint32_t min, uint32_t max) {
    if (value > max) {
        return max;
    }
    return value < min ? min : value;
}
