// A power-management entry of the mouse, identified by its key.
#pragma once

#include <cstdint>
#include <vector>

struct CAPM {
    uint32_t value = 0;
    uint32_t second = 0;
    uint32_t key = 0;
};

using CAPMList = std::vector<CAPM>;
