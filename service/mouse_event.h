// What a mouse reports to the programs: its DPI changed, another profile became active, a
// program is to be launched; and, for the service itself, that its memory changed.
#pragma once

#include "device/contract.h"

#include <string>

struct MouseEvent {
    enum class Kind { DpiChanged, ActiveProfileChanged, Launch, MemoryChanged };
    Kind kind = Kind::MemoryChanged;
    DpiPair dpi;
    plat::GUID profile;
    int32_t launchKind = 0;
    std::u16string path;
};
