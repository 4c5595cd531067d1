// Named access to the payload fields of an assignment record that the device object
// translates to and from function records. Kept in one place so no translation code
// computes payload offsets itself.
#pragma once

#include "model/model_types.h"

#include <cstdint>
#include <cstring>

namespace assignment_fields {

// Payload offsets of the fields the device object reads and writes.
inline constexpr size_t kKey = 0;           // kinds 0, 5: scan code | virtual key << 16
inline constexpr size_t kModifiers = 4;     // kinds 0, 5: bit 0 extended, 1 Alt, 2 Ctrl, 3 Shift
inline constexpr size_t kGuid = 0;          // kinds 6, 22 and the GUID-carrying kinds
inline constexpr size_t kPlayMode = 520;    // kinds 6, 7
inline constexpr size_t kRepeatCount = 524; // kinds 6, 7
inline constexpr size_t kTempDpi = 0;       // kind 21
inline constexpr size_t kTempDpiX = 4;      // kind 21
inline constexpr size_t kTempDpiY = 8;      // kind 21
inline constexpr size_t kTempSeparate = 12; // kind 21

inline uint32_t ReadWord(const AssignmentRecord& record, size_t offset) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value |= static_cast<uint32_t>(record.payload[offset + i]) << (8 * i);
    }
    return value;
}

inline void WriteWord(AssignmentRecord& record, size_t offset, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        record.payload[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

inline GUID ReadGuid(const AssignmentRecord& record) {
    return GUID::FromBytes(record.payload.data() + kGuid);
}

inline void WriteGuid(AssignmentRecord& record, const GUID& id) {
    id.ToBytes(record.payload.data() + kGuid);
}

} // namespace assignment_fields
