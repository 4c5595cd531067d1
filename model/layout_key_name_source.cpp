// Installing the layout-backed key names.
#include "model/layout_key_name_source.h"

#include "model/key_record.h"
#include "platform/os/xkb_keyboard_layout.h"

std::u16string CLayoutKeyNameSource::KeyName(uint16_t virtualKey, uint16_t scanCode, bool extended) const {
    return KeyDisplayName(scanCode, virtualKey, extended);
}

void InstallKeyNameSource() {
    static const CLayoutKeyNameSource source;
    if (auto layout = plat::LoadSystemKeyboardLayout()) {
        plat::SetKeyboardLayout(std::move(layout));
    }
    SetKeyNameSource(&source);
}
