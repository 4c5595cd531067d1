// The one place that reads and writes the fields of an assignment record's payload. Every
// field is little-endian at a fixed offset that depends on the kind; callers go through
// these accessors and constructors so no other code knows an offset. Bytes a kind does
// not use stay zero, because change tracking compares the whole payload.
#pragma once

#include "model/model_types.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Bits of the modifier byte of a key assignment (kinds 0 and 5).
enum : uint8_t {
    kKeyModExtended = 0x01,
    kKeyModAlt = 0x02,
    kKeyModCtrl = 0x04,
    kKeyModShift = 0x08,
};

// A name field holds 260 UTF-16 units including its terminator.
constexpr size_t kPayloadNameUnits = 260;
constexpr size_t kPayloadNameMaxChars = kPayloadNameUnits - 1;

// Kinds 0 and 5: the key word (scan code low, virtual key high) and the modifier byte.
uint16_t GetKeyScanCode(const AssignmentRecord& record);
uint16_t GetKeyVirtualKey(const AssignmentRecord& record);
uint8_t GetKeyModifiers(const AssignmentRecord& record);
void SetKey(AssignmentRecord& record, uint16_t scanCode, uint16_t virtualKey, uint8_t modifiers);

// The GUID in the first 16 bytes: macro id (kind 6), profile id (kind 22), and whatever
// the device object passes through for the other GUID-carrying kinds.
GUID GetPayloadGuid(const AssignmentRecord& record);
void SetPayloadGuid(AssignmentRecord& record, const GUID& guid);

// The name in the first 260 units: macro name (kind 7), profile name (kind 23). Reading
// stops at the terminator or the end of the field; writing copies at most 259 units and
// zeroes the rest of the field.
std::u16string GetPayloadName(const AssignmentRecord& record);
void SetPayloadName(AssignmentRecord& record, std::u16string_view name);

// The same fields under the names of the kinds that use them.
inline GUID GetMacroId(const AssignmentRecord& record) {
    return GetPayloadGuid(record);
}
inline std::u16string GetMacroName(const AssignmentRecord& record) {
    return GetPayloadName(record);
}
inline GUID GetProfileId(const AssignmentRecord& record) {
    return GetPayloadGuid(record);
}
inline std::u16string GetProfileName(const AssignmentRecord& record) {
    return GetPayloadName(record);
}

// Kinds 6 and 7.
tMacroPlayMode GetMacroPlayMode(const AssignmentRecord& record);
void SetMacroPlayMode(AssignmentRecord& record, tMacroPlayMode mode);
uint32_t GetMacroRepeatCount(const AssignmentRecord& record);
void SetMacroRepeatCount(AssignmentRecord& record, uint32_t count);

// Kind 21: both-axes value, X, Y and the separate-axes byte.
StageRecord GetTempDpi(const AssignmentRecord& record);
void SetTempDpi(AssignmentRecord& record, const StageRecord& dpi);

// Kinds 78 and 79: six data bytes, and the first word that selects a table entry.
std::array<uint8_t, 6> GetJoystickBytes(const AssignmentRecord& record);
void SetJoystickBytes(AssignmentRecord& record, const std::array<uint8_t, 6>& bytes);
uint32_t GetJoystickWord(const AssignmentRecord& record);
void SetJoystickWord(AssignmentRecord& record, uint32_t word);

// Records of each kind, built on an all-zero payload.
AssignmentRecord MakeAssignment(tAssignType kind);
AssignmentRecord MakeSingleKeyAssignment(uint16_t scanCode, uint16_t virtualKey, uint8_t modifiers);
// Kind 6 by id when `macroId` is not null, else kind 7 by name. A mode outside 1-4 is
// stored as 1; the repeat count is kept only for play mode 2.
AssignmentRecord MakeMacroAssignment(const GUID& macroId, std::u16string_view macroName, tMacroPlayMode mode,
                                     uint32_t repeatCount);
AssignmentRecord MakeTempDpiAssignment(const StageRecord& dpi);
// Kind 22 by id when `profileId` is not null, else kind 23 by name.
AssignmentRecord MakeProfileAssignment(const GUID& profileId, std::u16string_view profileName);
// The same play mode and repeat count, aimed at a macro by id (kind 6) or, when `macroId`
// is null, by name (kind 7). Mode and count are kept as stored.
AssignmentRecord RetargetMacroAssignment(const AssignmentRecord& record, const GUID& macroId,
                                         std::u16string_view macroName);

// Whether the record names the macro or profile: by id (kinds 6, 22) or by name compared
// ignoring case (kinds 7, 23).
bool RefersToMacro(const AssignmentRecord& record, const GUID& macroId, std::u16string_view macroName);
bool RefersToProfile(const AssignmentRecord& record, const GUID& profileId, std::u16string_view profileName);
