#include "model/corvantis_refresh_profile.h"

#include "model/assignment_menu.h"

namespace {

void Fill(std::vector<tAssignType>& list, std::span<const tAssignType> menu) {
    list.assign(menu.begin(), menu.end());
}

} // namespace

bool CCorvantisRefreshProfile::IsAssignmentAllowed(tAssignType kind, tMouseButton button) const {
    return IsAssignmentAllowedOnButton(kind, button);
}

void CCorvantisRefreshProfile::GetAllowedAssignments(std::vector<tAssignType>& list,
                                                     tMouseButton button) const {
    Fill(list, IsWheelDirection(button) ? WheelAssignmentMenu() : ShortAssignmentMenu());
}

void CCorvantisRefreshProfile::GetAllowedAssignmentsWithTempDPI(std::vector<tAssignType>& list,
                                                                tMouseButton button) const {
    Fill(list, IsWheelDirection(button) ? WheelAssignmentMenu() : FullAssignmentMenu());
}
