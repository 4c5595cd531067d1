// Payload fields of an assignment record, read and written little-endian at their offsets.
#include "model/assignment_payload.h"

#include "model/assign_type.h"
#include "model/assignment_vocabulary.h"

#include "platform/text/compare.h"

#include <algorithm>

namespace {

constexpr size_t kKeyWordOffset = 0;
constexpr size_t kKeyModifiersOffset = 4;
constexpr size_t kGuidOffset = 0;
constexpr size_t kNameOffset = 0;
constexpr size_t kPlayModeOffset = 520;
constexpr size_t kRepeatCountOffset = 524;
constexpr size_t kTempDpiOffset = 0;
constexpr size_t kTempDpiXOffset = 4;
constexpr size_t kTempDpiYOffset = 8;
constexpr size_t kTempSeparateOffset = 12;
constexpr size_t kJoystickOffset = 0;

static_assert(kNameOffset + kPayloadNameUnits * 2 <= kPlayModeOffset);
static_assert(kRepeatCountOffset + 4 == kAssignmentPayloadSize);

uint16_t Read16(const AssignmentRecord& record, size_t offset) {
    return static_cast<uint16_t>(record.payload[offset] | record.payload[offset + 1] << 8);
}

void Write16(AssignmentRecord& record, size_t offset, uint16_t value) {
    record.payload[offset] = static_cast<uint8_t>(value);
    record.payload[offset + 1] = static_cast<uint8_t>(value >> 8);
}

uint32_t Read32(const AssignmentRecord& record, size_t offset) {
    return static_cast<uint32_t>(Read16(record, offset)) | static_cast<uint32_t>(Read16(record, offset + 2))
                                                               << 16;
}

void Write32(AssignmentRecord& record, size_t offset, uint32_t value) {
    Write16(record, offset, static_cast<uint16_t>(value));
    Write16(record, offset + 2, static_cast<uint16_t>(value >> 16));
}

} // namespace

uint16_t GetKeyScanCode(const AssignmentRecord& record) {
    return Read16(record, kKeyWordOffset);
}

uint16_t GetKeyVirtualKey(const AssignmentRecord& record) {
    return Read16(record, kKeyWordOffset + 2);
}

uint8_t GetKeyModifiers(const AssignmentRecord& record) {
    return record.payload[kKeyModifiersOffset];
}

void SetKey(AssignmentRecord& record, uint16_t scanCode, uint16_t virtualKey, uint8_t modifiers) {
    Write16(record, kKeyWordOffset, scanCode);
    Write16(record, kKeyWordOffset + 2, virtualKey);
    record.payload[kKeyModifiersOffset] = modifiers;
}

GUID GetPayloadGuid(const AssignmentRecord& record) {
    return GUID::FromBytes(record.payload.data() + kGuidOffset);
}

void SetPayloadGuid(AssignmentRecord& record, const GUID& guid) {
    guid.ToBytes(record.payload.data() + kGuidOffset);
}

std::u16string GetPayloadName(const AssignmentRecord& record) {
    std::u16string name;
    for (size_t i = 0; i < kPayloadNameUnits; ++i) {
        const char16_t unit = static_cast<char16_t>(Read16(record, kNameOffset + 2 * i));
        if (unit == 0) {
            break;
        }
        name.push_back(unit);
    }
    return name;
}

void SetPayloadName(AssignmentRecord& record, std::u16string_view name) {
    const size_t count = std::min(name.size(), kPayloadNameMaxChars);
    for (size_t i = 0; i < kPayloadNameUnits; ++i) {
        Write16(record, kNameOffset + 2 * i, i < count ? static_cast<uint16_t>(name[i]) : uint16_t{0});
    }
}

tMacroPlayMode GetMacroPlayMode(const AssignmentRecord& record) {
    return static_cast<tMacroPlayMode>(Read32(record, kPlayModeOffset));
}

void SetMacroPlayMode(AssignmentRecord& record, tMacroPlayMode mode) {
    Write32(record, kPlayModeOffset, static_cast<uint32_t>(mode));
}

uint32_t GetMacroRepeatCount(const AssignmentRecord& record) {
    return Read32(record, kRepeatCountOffset);
}

void SetMacroRepeatCount(AssignmentRecord& record, uint32_t count) {
    Write32(record, kRepeatCountOffset, count);
}

StageRecord GetTempDpi(const AssignmentRecord& record) {
    StageRecord dpi;
    dpi.dpi = Read32(record, kTempDpiOffset);
    dpi.dpiX = Read32(record, kTempDpiXOffset);
    dpi.dpiY = Read32(record, kTempDpiYOffset);
    dpi.separateAxes = record.payload[kTempSeparateOffset];
    return dpi;
}

void SetTempDpi(AssignmentRecord& record, const StageRecord& dpi) {
    Write32(record, kTempDpiOffset, dpi.dpi);
    Write32(record, kTempDpiXOffset, dpi.dpiX);
    Write32(record, kTempDpiYOffset, dpi.dpiY);
    record.payload[kTempSeparateOffset] = dpi.separateAxes;
}

std::array<uint8_t, 6> GetJoystickBytes(const AssignmentRecord& record) {
    std::array<uint8_t, 6> bytes{};
    std::copy_n(record.payload.begin() + kJoystickOffset, bytes.size(), bytes.begin());
    return bytes;
}

void SetJoystickBytes(AssignmentRecord& record, const std::array<uint8_t, 6>& bytes) {
    std::copy(bytes.begin(), bytes.end(), record.payload.begin() + kJoystickOffset);
}

uint32_t GetJoystickWord(const AssignmentRecord& record) {
    return Read32(record, kJoystickOffset);
}

void SetJoystickWord(AssignmentRecord& record, uint32_t word) {
    Write32(record, kJoystickOffset, word);
}

AssignmentRecord MakeAssignment(tAssignType kind) {
    AssignmentRecord record;
    record.kind = kind;
    return record;
}

AssignmentRecord MakeSingleKeyAssignment(uint16_t scanCode, uint16_t virtualKey, uint8_t modifiers) {
    AssignmentRecord record = MakeAssignment(AT_SINGLE_KEY);
    SetKey(record, scanCode, virtualKey, modifiers);
    return record;
}

AssignmentRecord MakeMacroAssignment(const GUID& macroId, std::u16string_view macroName, tMacroPlayMode mode,
                                     uint32_t repeatCount) {
    AssignmentRecord record;
    if (macroId.IsNull()) {
        record.kind = AT_MACRO_BY_NAME;
        SetPayloadName(record, macroName);
    } else {
        record.kind = AT_MACRO;
        SetPayloadGuid(record, macroId);
    }
    const tMacroPlayMode stored = EffectivePlayMode(mode);
    SetMacroPlayMode(record, stored);
    SetMacroRepeatCount(record, stored == MPM_MULTIPLE ? repeatCount : 0);
    return record;
}

AssignmentRecord MakeTempDpiAssignment(const StageRecord& dpi) {
    AssignmentRecord record = MakeAssignment(AT_TEMPORARY_DPI);
    SetTempDpi(record, dpi);
    return record;
}

AssignmentRecord MakeProfileAssignment(const GUID& profileId, std::u16string_view profileName) {
    AssignmentRecord record;
    if (profileId.IsNull()) {
        record.kind = AT_PROFILE_BY_NAME;
        SetPayloadName(record, profileName);
    } else {
        record.kind = AT_PROFILE;
        SetPayloadGuid(record, profileId);
    }
    return record;
}

AssignmentRecord RetargetMacroAssignment(const AssignmentRecord& record, const GUID& macroId,
                                         std::u16string_view macroName) {
    AssignmentRecord retargeted = MakeMacroAssignment(macroId, macroName, MPM_ONCE, 0);
    SetMacroPlayMode(retargeted, GetMacroPlayMode(record));
    SetMacroRepeatCount(retargeted, GetMacroRepeatCount(record));
    return retargeted;
}

namespace {

bool RefersTo(const AssignmentRecord& record, tAssignType byId, const GUID& id, std::u16string_view name) {
    if (record.kind == byId) {
        return GetPayloadGuid(record) == id;
    }
    return record.kind == byId + 1 && plat::EqualsNoCase(GetPayloadName(record), name);
}

} // namespace

bool RefersToMacro(const AssignmentRecord& record, const GUID& macroId, std::u16string_view macroName) {
    return RefersTo(record, AT_MACRO, macroId, macroName);
}

bool RefersToProfile(const AssignmentRecord& record, const GUID& profileId, std::u16string_view profileName) {
    return RefersTo(record, AT_PROFILE, profileId, profileName);
}
