// What a mouse accepts into its memory. The same checks guard the live interfaces, the
// stored document and imported files, so nothing a program or a file says can put the
// memory into a state the firmware would not hold.
#pragma once

#include "service/model_descriptor.h"
#include "service/mouse_memory.h"

#include <string>
#include <vector>

constexpr size_t kMaxApplicationLength = 127;
constexpr uint32_t kKnownProfileFlags =
    kProfileFlagApplicationLink | kProfileFlagDpiDisplay | kProfileFlagProfileDisplay;

bool IsValidName(const std::u16string& name);
bool IsValidApplication(const std::u16string& application);
bool IsValidStages(const ModelDescriptor& model, const std::vector<DpiPair>& stages);
bool IsValidPair(const ModelDescriptor& model, const DpiPair& pair);
// Version 1, a button the model has, a known function type.
bool IsValidFunction(const ModelDescriptor& model, const FunctionRecord& record);
bool IsValidLight(const LightMemory& light);
// The whole profile, including one function per button and one light per light number.
bool IsValidProfile(const ModelDescriptor& model, const ProfileMemory& profile);
bool IsValidMacro(const MacroMemory& macro);
// The whole memory: unique ids, an active profile it holds, settings within range.
bool IsValidMemory(const ModelDescriptor& model, const MouseMemory& memory);
