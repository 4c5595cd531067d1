// The memory a mouse leaves the factory with: three profiles, no macros.
#pragma once

#include "service/model_descriptor.h"
#include "service/mouse_memory.h"

MouseMemory MakeFactoryMemory(const ModelDescriptor& model);

// One profile with the model's default stages, functions and lights and a new GUID.
ProfileMemory MakeFactoryProfile(const ModelDescriptor& model, std::u16string name);

// The function a button has when it leaves the factory.
FunctionBytes FactoryFunction(uint32_t buttonFlag);

LightMemory FactoryLight(uint32_t number);
