// Turning key messages and raw reports into key records.
#include "model/key_record.h"

#include "platform/os/key_name_text.h"
#include "platform/os/keyboard_layout.h"
#include "platform/os/virtual_keys.h"

#include <algorithm>

namespace {

constexpr uint64_t kExtendedBit = 1ull << 24;
constexpr uint64_t kContextBit = 1ull << 29;
constexpr uint64_t kPreviousStateBit = 1ull << 30;

constexpr uint16_t kLeftShiftScanCode = 0x2A;
constexpr uint16_t kRightShiftScanCode = 0x36;

uint16_t SidedVirtualKey(uint16_t vk, uint16_t scanCode, bool extended) {
    switch (vk) {
    case plat::VK_CONTROL:
        return extended ? plat::VK_RCONTROL : plat::VK_LCONTROL;
    case plat::VK_MENU:
        return extended ? plat::VK_RMENU : plat::VK_LMENU;
    case plat::VK_SHIFT:
        if (scanCode == kLeftShiftScanCode) {
            return plat::VK_LSHIFT;
        }
        return scanCode == kRightShiftScanCode ? plat::VK_RSHIFT : vk;
    case plat::VK_RETURN:
        return extended ? plat::VK_SEPARATOR : vk;
    default:
        return vk;
    }
}

// The modifiers the current layout needs to type the key's character.
uint8_t TypingModifiers(uint16_t vk) {
    auto layout = plat::CurrentKeyboardLayout();
    auto stroke = layout->KeyStrokeFor(layout->CharacterOfVirtualKey(vk));
    if (!stroke) {
        return 0;
    }
    return (stroke->shift ? kKeyFlagShift : 0) | (stroke->ctrl ? kKeyFlagCtrl : 0) |
           (stroke->alt ? kKeyFlagAlt : 0);
}

// Keys a focused field keeps to itself so that they neither move the focus nor edit text.
bool SwallowedOnKeyDown(uint16_t vk) {
    constexpr uint16_t kKeys[] = {plat::VK_BACK,  plat::VK_TAB,     plat::VK_PAUSE, plat::VK_CAPITAL,
                                  plat::VK_SPACE, plat::VK_HOME,    plat::VK_LEFT,  plat::VK_UP,
                                  plat::VK_RIGHT, plat::VK_DOWN,    plat::VK_LWIN,  plat::VK_RWIN,
                                  plat::VK_APPS,  plat::VK_NUMLOCK, plat::VK_SCROLL};
    return std::find(std::begin(kKeys), std::end(kKeys), vk) != std::end(kKeys);
}

} // namespace

std::u16string KeyDisplayName(uint16_t scanCode, uint16_t virtualKey, bool extended) {
    bool askExtended = extended || virtualKey == plat::VK_NUMLOCK || virtualKey == plat::VK_ABNT_C2;
    std::u16string name = plat::KeyNameText(scanCode, askExtended);
    if (name.size() > plat::kMaxKeyNameLength) {
        name.resize(plat::kMaxKeyNameLength);
    }
    return name;
}

KeyMessageResult KeyRecordFromKeyMessage(uint32_t message, uint64_t wParam, uint64_t lParam) {
    KeyMessageResult result;
    const bool down = message == kKeyDownMessage || message == kSysKeyDownMessage;
    const bool up = message == kKeyUpMessage || message == kSysKeyUpMessage;
    if (!down && !up) {
        return result;
    }
    if (down && (lParam & kPreviousStateBit)) {
        return result; // auto-repeat
    }
    const bool extended = (lParam & kExtendedBit) != 0;
    KeyRecord& key = result.key;
    key.scanCode = static_cast<uint16_t>((lParam >> 16) & 0xFF);
    key.virtualKey = SidedVirtualKey(static_cast<uint16_t>(wParam), key.scanCode, extended);
    key.state = down ? kKeyStatePress : kKeyStateRelease;
    key.flags = (extended ? kKeyFlagExtended : 0) | ((lParam & kContextBit) ? kKeyFlagAlt : 0);
    key.flags |= TypingModifiers(key.virtualKey);
    key.name = KeyDisplayName(key.scanCode, key.virtualKey, extended);
    result.recorded = true;
    result.swallow = message == kKeyDownMessage && SwallowedOnKeyDown(key.virtualKey);
    return result;
}

RawKeyResult KeyRecordFromRawReport(const RawKeyReport& report, uint16_t& lastVirtualKey) {
    RawKeyResult result;
    const bool extended = (report.flags & kRawKeyE0) != 0;
    if (report.virtualKey != plat::VK_NONE) {
        lastVirtualKey = report.virtualKey;
    }
    KeyRecord& key = result.key;
    key.scanCode = report.makeCode;
    key.virtualKey = lastVirtualKey;
    key.state = (report.flags & kRawKeyBreak) ? kKeyStateRelease : kKeyStatePress;
    key.flags = extended ? kKeyFlagExtended : 0;
    key.name = KeyDisplayName(key.scanCode, key.virtualKey, extended);
    result.valid = report.makeCode != 0 && (report.flags & kRawKeyE1) == 0 &&
                   !(extended && report.virtualKey == plat::VK_NONE);
    return result;
}
