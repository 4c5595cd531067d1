// New identifiers for profiles and macros. The mouse assigns them; programs never do.
#pragma once

#include "platform/text/guid.h"

// A random (version 4) GUID; never the null GUID.
plat::GUID NewRandomGuid();
