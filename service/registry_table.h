// The registry profile table the tray reads: under HKEY_LOCAL_MACHINE
// "SOFTWARE\KAVOX\0.01\<model GUID>", the value "ProfileOsd" and the key "PROFILES" with
// "ActiveProfile" and one key per profile ("Name", "AppPath"). Only values that differ are
// rewritten, so watchers hear about real changes only.
#pragma once

#include "service/model_descriptor.h"
#include "service/mouse_memory.h"

#include <cstdint>
#include <vector>

// "AppPath": byte 0 link flag, byte 1 DPI display flag, two zero bytes, then the path in
// UTF-16LE with a terminating zero.
std::vector<uint8_t> AppPathValue(const ProfileMemory& profile);

// Writes the table of `model` from `memory`; false when the store could not be written.
bool WriteRegistryTable(const ModelDescriptor& model, const MouseMemory& memory);
