// The model table.
#include "device/mouse_model_table.h"

#include <algorithm>

namespace {

constexpr std::array<int, 12> kRefreshCapabilities{1, 2, 4, 5, 6, 7, 10, 11, 12, 14, 16, 18};
constexpr std::array<int, 11> kLegacyCapabilities{1, 2, 4, 5, 6, 7, 10, 11, 12, 14, 16};

} // namespace

bool MouseModelEntry::Has(int capability) const {
    return std::find(capabilities, capabilities + capabilityCount, capability) !=
           capabilities + capabilityCount;
}

const std::array<MouseModelEntry, 2>& MouseModelTable() {
    static const std::array<MouseModelEntry, 2> table{{
        {47, kRefreshCapabilities.data(), kRefreshCapabilities.size(), u"Kavox Corvantis Refresh"},
        {23, kLegacyCapabilities.data(), kLegacyCapabilities.size(), u"Kavox Corvantis"},
    }};
    return table;
}
