// Where the model gets a key's display name from. The keyboard layer installs the real
// source at start-up; until then a plain fallback names keys by their codes.
#pragma once

#include <cstdint>
#include <string>

class IKeyNameSource {
public:
    virtual ~IKeyNameSource() = default;
    // The name users know for the key ("Ctrl", "Num Enter", "F5", "A"); empty when unknown.
    virtual std::u16string KeyName(uint16_t virtualKey, uint16_t scanCode, bool extended) const = 0;
};

// The source in use; never null. `SetKeyNameSource(nullptr)` restores the fallback.
const IKeyNameSource& GetKeyNameSource();
void SetKeyNameSource(const IKeyNameSource* source);
