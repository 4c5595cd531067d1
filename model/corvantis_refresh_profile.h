// The profile of the Corvantis mice: a mouse profile with the assignment rules of this
// mouse. The rules are the same on both models; only the menus differ.
#pragma once

#include "model/mouse_profile.h"

class CCorvantisRefreshProfile : public CMouseProfile {
public:
    explicit CCorvantisRefreshProfile(std::u16string_view name = {}) : CMouseProfile(name) {}

    bool IsAssignmentAllowed(tAssignType kind, tMouseButton button) const override;
    // The wheel menu for the wheel directions, the short menu for every other button.
    void GetAllowedAssignments(std::vector<tAssignType>& list, tMouseButton button) const override;

    bool IsKeyAssignmentAllowed(tAssignType kind) const { return IsAssignmentAllowed(kind, MB_NULL); }
    // As GetAllowedAssignments, with the full menu (the temporary DPI included).
    void GetAllowedAssignmentsWithTempDPI(std::vector<tAssignType>& list, tMouseButton button) const;
};
