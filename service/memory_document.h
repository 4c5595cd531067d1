// The JSON forms of a mouse's memory: the state document kept for each mouse, and the
// profile (.kvp) and macro (.kvm) files that programs import and export. Each form carries
// a format name and a version; readers check everything before they hand anything back.
#pragma once

#include "service/model_descriptor.h"
#include "service/mouse_memory.h"

#include <string>
#include <string_view>

std::string MemoryToText(const MouseMemory& memory, const ModelDescriptor& model);
// False for anything that is not a valid memory document of the model.
bool MemoryFromText(std::string_view text, const ModelDescriptor& model, MouseMemory& memory);

// A profile file holds one profile without its GUID.
std::string ProfileFileText(const ProfileMemory& profile, const ModelDescriptor& model);
bool ParseProfileFile(std::string_view text, const ModelDescriptor& model, ProfileMemory& profile);

// A macro file holds one macro without its GUID.
std::string MacroFileText(const MacroMemory& macro);
bool ParseMacroFile(std::string_view text, MacroMemory& macro);
