// The block in which a macro's events travel to and from the device service: a 32-bit
// zero, a 32-bit count, then eight bytes per key, mouse or delay event.
#pragma once

#include "device/contract.h"
#include "model/model_types.h"

#include <vector>

// The block for `events`: eight bytes per event plus sixteen, as the service expects.
MacroEventBlock MacroEventsToBlock(const std::vector<MacroEvent>& events);

// The events of a block from the service. False, leaving `events` empty, when the block is
// too short for its header or its count; unknown event types are skipped.
bool MacroEventsFromBlock(const MacroEventBlock& block, std::vector<MacroEvent>& events);
