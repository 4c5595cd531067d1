// A key as the key-entry fields and macro recording capture it, and the two ways one is
// made: from a key message of a focused field, and from a raw keyboard report.
#pragma once

#include <cstdint>
#include <string>

inline constexpr uint8_t kKeyStatePress = 0xFF;
inline constexpr uint8_t kKeyStateRelease = 0x01;

inline constexpr uint8_t kKeyFlagExtended = 0x01;
inline constexpr uint8_t kKeyFlagAlt = 0x02;
inline constexpr uint8_t kKeyFlagCtrl = 0x04;
inline constexpr uint8_t kKeyFlagShift = 0x08;

struct KeyRecord {
    uint16_t scanCode = 0;
    uint16_t virtualKey = 0; // left and right modifiers told apart
    uint8_t state = 0;       // kKeyStatePress or kKeyStateRelease
    uint8_t flags = 0;       // kKeyFlag*
    std::u16string name;

    // The key of a macro event or single-key assignment.
    uint32_t PackedKey() const { return static_cast<uint32_t>(virtualKey) << 16 | scanCode; }
    bool Extended() const { return (flags & kKeyFlagExtended) != 0; }

    friend bool operator==(const KeyRecord&, const KeyRecord&) = default;
};

// The name shown for a key; at most 40 units, empty when the key has no name. Num Lock
// reports its make code without the extended bit, so its virtual key asks for it.
std::u16string KeyDisplayName(uint16_t scanCode, uint16_t virtualKey, bool extended);

// Key messages of a focused window (numbers and parameter bits as the window layer sends them).
inline constexpr uint32_t kKeyDownMessage = 0x0100;
inline constexpr uint32_t kKeyUpMessage = 0x0101;
inline constexpr uint32_t kSysKeyDownMessage = 0x0104; // sent while Alt is held
inline constexpr uint32_t kSysKeyUpMessage = 0x0105;

struct KeyMessageResult {
    bool recorded = false; // `key` holds the key of the message
    bool swallow = true;   // the field must not pass the message on
    KeyRecord key;
};

// `wParam` is the virtual key; `lParam` carries the make code in bits 16-23, the extended
// bit 24, the Alt context bit 29 and the previous-state (auto-repeat) bit 30.
KeyMessageResult KeyRecordFromKeyMessage(uint32_t message, uint64_t wParam, uint64_t lParam);

// One raw keyboard report, as raw input delivers it whichever window has the focus.
struct RawKeyReport {
    uint16_t makeCode = 0;
    uint16_t flags = 0;         // kRawKey*
    uint16_t virtualKey = 0xFF; // 0xFF: none reported
};
inline constexpr uint16_t kRawKeyBreak = 0x1;
inline constexpr uint16_t kRawKeyE0 = 0x2;
inline constexpr uint16_t kRawKeyE1 = 0x4;

struct RawKeyResult {
    KeyRecord key;
    // False for reports that stand for no key of their own: make code 0, the parts of an
    // E1 sequence, and the synthetic Shift sent around extended keys (E0, no virtual key).
    bool valid = false;
};

// A report without a virtual key takes `lastVirtualKey`, which every report that has one
// updates.
RawKeyResult KeyRecordFromRawReport(const RawKeyReport& report, uint16_t& lastVirtualKey);
