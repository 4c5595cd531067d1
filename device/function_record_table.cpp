// The translation tables of button flags and function-record templates.
#include "device/function_record_table.h"

#include "model/assign_type.h"
#include "model/assignment_payload.h"

#include <algorithm>
#include <cstring>

namespace {

// Function data offsets within the whole 32-byte record.
constexpr size_t kCodeAt = 12;
constexpr size_t kIndexAt = 16;
constexpr size_t kGuidAt = 16;
constexpr size_t kMacroGuidAt = 12;
constexpr size_t kPlayModeAt = 28;
constexpr size_t kRepeatAt = 29;
constexpr size_t kTempXAt = 24;
constexpr size_t kTempYAt = 26;
constexpr size_t kScanAt = 12;
constexpr size_t kModifierAt = 14;
constexpr size_t kJoystickAt = 16;
constexpr size_t kJoystickBytes = 6;

constexpr uint32_t kPauseVirtualKey = 19;
constexpr uint32_t kNumLockVirtualKey = 144;
constexpr uint32_t kPauseScanCode = 69;
constexpr uint32_t kModifierShift = 24;
constexpr uint32_t kPauseModifierBit = 1u << kModifierShift;

// Values the second joystick kind sends, by the payload's first word.
constexpr std::array<uint32_t, 4> kJoystickDirections{0x01, 0x02, 0x04, 0x08};

uint8_t* DataAt(FunctionRecord& record, size_t offset) {
    return record.data.data() + (offset - kCodeAt);
}
const uint8_t* DataAt(const FunctionRecord& record, size_t offset) {
    return record.data.data() + (offset - kCodeAt);
}

void Put32(FunctionRecord& record, size_t offset, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        DataAt(record, offset)[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}
void Put16(FunctionRecord& record, size_t offset, uint32_t value) {
    DataAt(record, offset)[0] = static_cast<uint8_t>(value);
    DataAt(record, offset)[1] = static_cast<uint8_t>(value >> 8);
}
uint32_t Get32(const FunctionRecord& record, size_t offset) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value |= static_cast<uint32_t>(DataAt(record, offset)[i]) << (8 * i);
    }
    return value;
}
uint32_t Get16(const FunctionRecord& record, size_t offset) {
    return static_cast<uint32_t>(DataAt(record, offset)[0]) |
           (static_cast<uint32_t>(DataAt(record, offset)[1]) << 8);
}
void PutGuid(FunctionRecord& record, size_t offset, const AssignmentRecord& from) {
    GetPayloadGuid(from).ToBytes(DataAt(record, offset));
}
void GetGuid(const FunctionRecord& record, size_t offset, AssignmentRecord& to) {
    SetPayloadGuid(to, GUID::FromBytes(DataAt(record, offset)));
}

FunctionRecord Template(uint32_t type, uint32_t code) {
    FunctionRecord record;
    record.functionType = type;
    Put32(record, kCodeAt, code);
    return record;
}

uint32_t Code(const FunctionRecord& record) {
    return Get32(record, kCodeAt);
}

bool CarriesGuidAt16(tAssignType kind) {
    return kind == AT_PROFILE || kind == AT_PROFILE_BY_NAME ||
           (kind >= AT_PROFILE1 && kind < AT_PROFILE1 + 5) || kind == AT_KEYMAP || kind == AT_KEYMAP2;
}

void FillKey(FunctionRecord& out, const AssignmentRecord& in) {
    uint32_t modifiers = static_cast<uint32_t>(GetKeyModifiers(in) & 0x0F) << kModifierShift;
    if (GetKeyVirtualKey(in) == kPauseVirtualKey) {
        modifiers |= kPauseModifierBit;
    }
    Put16(out, kScanAt, GetKeyScanCode(in));
    Put32(out, kModifierAt, modifiers);
}

void ReadKey(const FunctionRecord& in, AssignmentRecord& out) {
    const uint32_t scan = Get16(in, kScanAt);
    const uint32_t modifierWord = Get32(in, kModifierAt);
    auto modifiers = static_cast<uint8_t>((modifierWord >> kModifierShift) & 0x0F);
    uint32_t virtualKey = 0;
    if (scan == kPauseScanCode) {
        virtualKey = (modifierWord & kPauseModifierBit) ? kPauseVirtualKey : kNumLockVirtualKey;
        modifiers &= static_cast<uint8_t>(~kKeyModExtended);
    }
    SetKey(out, static_cast<uint16_t>(scan), static_cast<uint16_t>(virtualKey), modifiers);
}

void FillTempDpi(FunctionRecord& out, const AssignmentRecord& in) {
    const StageRecord dpi = GetTempDpi(in);
    const bool separate = dpi.separateAxes == 1;
    Put16(out, kTempXAt, separate ? dpi.dpiX : dpi.dpi);
    Put16(out, kTempYAt, separate ? dpi.dpiY : dpi.dpi);
}

void ReadTempDpi(const FunctionRecord& in, AssignmentRecord& out) {
    const uint32_t x = Get16(in, kTempXAt);
    const uint32_t y = Get16(in, kTempYAt);
    StageRecord dpi;
    if (x == y) {
        dpi.dpi = x;
    } else {
        dpi.separateAxes = 1;
        dpi.dpiX = x;
        dpi.dpiY = y;
    }
    SetTempDpi(out, dpi);
}

void FillMacro(FunctionRecord& out, const AssignmentRecord& in) {
    PutGuid(out, kMacroGuidAt, in);
    *DataAt(out, kPlayModeAt) = CFunctionRecordTable::PlayModeToDevice(GetMacroPlayMode(in));
    *DataAt(out, kRepeatAt) = static_cast<uint8_t>(GetMacroRepeatCount(in));
}

void ReadMacro(const FunctionRecord& in, AssignmentRecord& out) {
    GetGuid(in, kMacroGuidAt, out);
    SetMacroPlayMode(out, CFunctionRecordTable::PlayModeFromDevice(*DataAt(in, kPlayModeAt)));
    SetMacroRepeatCount(out, *DataAt(in, kRepeatAt));
}

} // namespace

const CFunctionRecordTable& CFunctionRecordTable::Instance() {
    static const CFunctionRecordTable table;
    return table;
}

CFunctionRecordTable::CFunctionRecordTable() {
    constexpr std::array<std::pair<int32_t, uint32_t>, 11> named{{{1, 1},
                                                                  {2, 2},
                                                                  {3, 4},
                                                                  {4, 8},
                                                                  {5, 16},
                                                                  {6, 64},
                                                                  {7, 32},
                                                                  {12, 128},
                                                                  {13, 256},
                                                                  {10, 512},
                                                                  {11, 1024}}};
    for (const auto& [button, flag] : named) {
        m_flagOfButton[button] = flag;
    }
    for (int32_t button = 14; button <= 25; ++button) {
        m_flagOfButton[button] = 2048u << (button - 14);
    }

    constexpr std::array<tAssignType, 12> basic{
        AT_BUTTON_OFF,     AT_CLICK,       AT_MENU,        AT_UNIVERSAL_SCROLLING,    AT_FORWARD,
        AT_BACKWARD,       AT_SCROLL_UP,   AT_SCROLL_DOWN, AT_ON_THE_FLY_SENSITIVITY, AT_DPI_STAGE_UP,
        AT_DPI_STAGE_DOWN, AT_DOUBLE_CLICK};
    for (size_t i = 0; i < basic.size(); ++i) {
        m_templates[basic[i]] = Template(kFunctionBasic, static_cast<uint32_t>(i));
    }
    m_templates[AT_PROFILE_DOWN] = Template(kFunctionProfile, 1);
    m_templates[AT_PROFILE_UP] = Template(kFunctionProfile, 2);
    for (tAssignType kind :
         std::initializer_list<tAssignType>{AT_PROFILE, AT_PROFILE_BY_NAME, 26, 27, 28, 29, 30}) {
        m_templates[kind] = Template(kFunctionProfile, 3);
    }
    for (tAssignType kind = AT_DPI_STAGE1; kind < AT_DPI_STAGE1 + 5; ++kind) {
        FunctionRecord record = Template(kFunctionDpi, 3);
        Put32(record, kIndexAt, static_cast<uint32_t>(kind - AT_DPI_STAGE1));
        m_templates[kind] = record;
    }
    m_templates[AT_TEMPORARY_DPI] = Template(kFunctionDpi, 4);
    m_templates[AT_SINGLE_KEY] = Template(kFunctionKey, 0);
    m_templates[AT_ADVANCED] = Template(kFunctionAdvanced, 0);
    m_templates[AT_MACRO] = Template(kFunctionMacro, 0);
    m_templates[AT_MACRO_BY_NAME] = Template(kFunctionMacro, 0);
    m_templates[AT_LAUNCH_PROGRAM] = Template(kFunctionLaunch, 0);
    m_templates[AT_JOYSTICK] = Template(kFunctionJoystick, 0);
    m_templates[AT_JOYSTICK2] = Template(kFunctionJoystick, 1);
    m_templates[AT_KEYMAP] = Template(kFunctionKeymap, 3);
    m_templates[AT_KEYMAP2] = Template(kFunctionKeymap, 3);
}

uint32_t CFunctionRecordTable::FlagOfButton(tMouseButton button) const {
    const auto found = m_flagOfButton.find(button);
    return found == m_flagOfButton.end() ? 0 : found->second;
}

tMouseButton CFunctionRecordTable::ButtonOfFlag(uint32_t flag) const {
    for (const auto& [button, buttonFlag] : m_flagOfButton) {
        if (buttonFlag == flag) {
            return static_cast<tMouseButton>(button);
        }
    }
    return MB_NULL;
}

uint8_t CFunctionRecordTable::PlayModeToDevice(int32_t mode) {
    switch (mode) {
    case MPM_ONCE:
        return 1;
    case MPM_MULTIPLE:
        return 2;
    case MPM_UNTIL_PRESSED:
        return 4;
    case MPM_WHILE_PRESSED:
        return 3;
    default:
        return 0;
    }
}

int32_t CFunctionRecordTable::PlayModeFromDevice(uint8_t mode) {
    switch (mode) {
    case 1:
        return MPM_ONCE;
    case 2:
        return MPM_MULTIPLE;
    case 4:
        return MPM_UNTIL_PRESSED;
    case 3:
        return MPM_WHILE_PRESSED;
    default:
        return 0;
    }
}

FunctionRecord CFunctionRecordTable::RecordFromAssignment(tMouseButton button,
                                                          const AssignmentRecord& record) const {
    const auto found = m_templates.find(record.kind);
    FunctionRecord out = found == m_templates.end() ? FunctionRecord{} : found->second;
    out.buttonFlag = FlagOfButton(button);
    if (found == m_templates.end()) {
        return out;
    }
    const tAssignType kind = record.kind;
    if (CarriesGuidAt16(kind)) {
        PutGuid(out, kGuidAt, record);
    } else if (kind == AT_TEMPORARY_DPI) {
        FillTempDpi(out, record);
    } else if (kind == AT_SINGLE_KEY) {
        FillKey(out, record);
    } else if (kind == AT_MACRO || kind == AT_MACRO_BY_NAME) {
        FillMacro(out, record);
    } else if (kind == AT_LAUNCH_PROGRAM) {
        PutGuid(out, kMacroGuidAt, record);
    } else if (kind == AT_JOYSTICK) {
        const std::array<uint8_t, kJoystickBytes> bytes = GetJoystickBytes(record);
        std::memcpy(DataAt(out, kJoystickAt), bytes.data(), kJoystickBytes);
    } else if (kind == AT_JOYSTICK2) {
        const uint32_t index = GetJoystickWord(record);
        Put32(out, kCodeAt, index < kJoystickDirections.size() ? kJoystickDirections[index] : 0);
    }
    return out;
}

bool CFunctionRecordTable::Matches(const FunctionRecord& tmpl, const FunctionRecord& record) const {
    if (tmpl.functionType != record.functionType) {
        return false;
    }
    switch (record.functionType) {
    case kFunctionBasic:
    case kFunctionProfile:
    case kFunctionKeymap:
        return Code(tmpl) == Code(record);
    case kFunctionDpi:
        return Code(tmpl) == Code(record) &&
               (Code(record) != 3 || Get32(tmpl, kIndexAt) == Get32(record, kIndexAt));
    case kFunctionJoystick:
        return Code(tmpl) != 1;
    case kFunctionUnmatched7:
    case kFunctionUnmatched10:
        return false;
    default:
        return true;
    }
}

tAssignType CFunctionRecordTable::MatchKind(const FunctionRecord& record) const {
    for (const auto& [kind, tmpl] : m_templates) {
        if (Matches(tmpl, record)) {
            return kind;
        }
    }
    return AT_NONE;
}

bool CFunctionRecordTable::AssignmentFromRecord(const FunctionRecord& record, tMouseButton& button,
                                                AssignmentRecord& assignment) const {
    const tMouseButton found = ButtonOfFlag(record.buttonFlag);
    if (found == MB_NULL) {
        return false;
    }
    button = found;
    assignment = AssignmentRecord{};
    assignment.kind = MatchKind(record);
    const uint32_t type = record.functionType;
    if ((type == kFunctionProfile && Code(record) == 3) || type == kFunctionKeymap) {
        GetGuid(record, kGuidAt, assignment);
    } else if (type == kFunctionMacro) {
        ReadMacro(record, assignment);
    } else if (type == kFunctionLaunch) {
        GetGuid(record, kMacroGuidAt, assignment);
    } else if (type == kFunctionKey) {
        ReadKey(record, assignment);
    } else if (assignment.kind == AT_TEMPORARY_DPI) {
        ReadTempDpi(record, assignment);
    } else if (assignment.kind == AT_JOYSTICK) {
        std::array<uint8_t, kJoystickBytes> bytes{};
        std::memcpy(bytes.data(), DataAt(record, kJoystickAt), kJoystickBytes);
        SetJoystickBytes(assignment, bytes);
    }
    return true;
}
