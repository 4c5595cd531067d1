// The key-name source the programs run with: names from the keyboard layer, in the
// current layout. `InstallKeyNameSource` is called once at program start.
#pragma once

#include "model/key_name_source.h"

class CLayoutKeyNameSource final : public IKeyNameSource {
public:
    std::u16string KeyName(uint16_t virtualKey, uint16_t scanCode, bool extended) const override;
};

// Reads the system's keyboard layout (the US default when headless or when none can be
// read) and makes the layout's key names the ones the model shows.
void InstallKeyNameSource();
