// PC codes of X keys from the keyboard layer's table (platform/os/keyboard_codes.h). The
// keypad's double meaning lives here: that table gives its Num Lock meaning, and with
// Num Lock off the same keys are the cursor keys, without the E0 of the cursor block.
#include "platform/backend/x11/x11_key_table.h"

#include "platform/os/keyboard_codes.h"
#include "platform/os/virtual_keys.h"

namespace plat::x11 {

namespace {

struct CursorMeaning {
    std::uint16_t evdev;
    std::uint16_t virtualKey;
};

constexpr CursorMeaning kKeypadCursorKeys[] = {
    {71, 0x24}, // 7: Home
    {72, 0x26}, // 8: Up
    {73, 0x21}, // 9: Page Up
    {75, 0x25}, // 4: Left
    {76, 0x0C}, // 5: Clear
    {77, 0x27}, // 6: Right
    {79, 0x23}, // 1: End
    {80, 0x28}, // 2: Down
    {81, 0x22}, // 3: Page Down
    {82, 0x2D}, // 0: Insert
    {83, 0x2E}, // .: Delete
};

bool IsSided(std::uint16_t vk) {
    return vk >= VK_LSHIFT && vk <= VK_RMENU;
}

} // namespace

std::optional<PcKey> PcKeyFromEvdev(unsigned evdevCode, bool numeric) {
    const KeyCode* code = KeyCodeFromEvdev(evdevCode);
    if (!code)
        return std::nullopt;
    // Key messages name a modifier without its side (VK_SHIFT, not VK_LSHIFT).
    constexpr std::uint16_t kGeneric[] = {VK_SHIFT, VK_SHIFT, VK_CONTROL, VK_CONTROL, VK_MENU, VK_MENU};
    const std::uint16_t vk =
        IsSided(code->virtualKey) ? kGeneric[code->virtualKey - VK_LSHIFT] : code->virtualKey;
    PcKey key{code->scanCode, ExtendedInKeyMessages(*code), vk};
    if (!numeric)
        for (const CursorMeaning& m : kKeypadCursorKeys)
            if (m.evdev == evdevCode)
                key.virtualKey = m.virtualKey;
    return key;
}

std::uint16_t SidedVirtualKey(unsigned evdevCode) {
    const KeyCode* code = KeyCodeFromEvdev(evdevCode);
    return code && IsSided(code->virtualKey) ? code->virtualKey : 0;
}

} // namespace plat::x11
