// The macro and profile names an assignment's detail text needs, looked up in a
// configuration. The configuration must outlive the lookups.
#pragma once

#include "model/assignment_detail_text.h"

class IMouseConfig;

AssignmentNameLookups ConfigNameLookups(const IMouseConfig& config);
