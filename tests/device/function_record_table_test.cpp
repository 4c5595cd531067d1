// Translation of button assignments to function records and back.
#include "device/function_record_table.h"

#include "model/assign_type.h"
#include "model/assignment_payload.h"

#include <gtest/gtest.h>

namespace {

const CFunctionRecordTable& Table() {
    return CFunctionRecordTable::Instance();
}

AssignmentRecord Kind(tAssignType kind) {
    AssignmentRecord record;
    record.kind = kind;
    return record;
}

uint32_t DataWord(const FunctionRecord& record, size_t offset) {
    const size_t at = offset - 12;
    return static_cast<uint32_t>(record.data[at] | (record.data[at + 1] << 8) | (record.data[at + 2] << 16) |
                                 (record.data[at + 3] << 24));
}

GUID SampleGuid() {
    return GUID{0x11223344, 0x5566, 0x7788, {1, 2, 3, 4, 5, 6, 7, 8}};
}

AssignmentRecord RoundTrip(const AssignmentRecord& in, tMouseButton button = MB_BUTTON4) {
    tMouseButton readButton = MB_NULL;
    AssignmentRecord out;
    EXPECT_TRUE(Table().AssignmentFromRecord(Table().RecordFromAssignment(button, in), readButton, out));
    EXPECT_EQ(readButton, button);
    return out;
}

} // namespace

TEST(FunctionRecordTable, ButtonFlagsBothWays) {
    const std::pair<int32_t, uint32_t> cases[] = {{1, 1},     {3, 4},        {6, 64},   {7, 32},
                                                  {12, 128},  {13, 256},     {10, 512}, {11, 1024},
                                                  {14, 2048}, {25, 0x400000}};
    for (const auto& [button, flag] : cases) {
        EXPECT_EQ(Table().FlagOfButton(static_cast<tMouseButton>(button)), flag) << button;
        EXPECT_EQ(Table().ButtonOfFlag(flag), button) << flag;
    }
    for (int32_t none : {0, 8, 9, 26, 27, 28}) {
        EXPECT_EQ(Table().FlagOfButton(static_cast<tMouseButton>(none)), 0u) << none;
    }
    EXPECT_EQ(Table().ButtonOfFlag(0x800000), MB_NULL);
    EXPECT_EQ(Table().ButtonOfFlag(3), MB_NULL);
}

TEST(FunctionRecordTable, KindsTravelAsTypeAndCode) {
    struct Case {
        tAssignType kind;
        uint32_t type;
        uint32_t code;
    };
    const Case cases[] = {{AT_BUTTON_OFF, 1, 0}, {AT_CLICK, 1, 1},         {AT_FORWARD, 1, 4},
                          {AT_BACKWARD, 1, 5},   {AT_DOUBLE_CLICK, 1, 11}, {AT_PROFILE_DOWN, 3, 1},
                          {AT_PROFILE_UP, 3, 2}, {AT_PROFILE, 3, 3},       {AT_TEMPORARY_DPI, 4, 4},
                          {AT_ADVANCED, 6, 0},   {AT_KEYMAP2, 12, 3}};
    for (const Case& c : cases) {
        const FunctionRecord record = Table().RecordFromAssignment(MB_RIGHT, Kind(c.kind));
        EXPECT_EQ(record.version, 1u);
        EXPECT_EQ(record.buttonFlag, 2u);
        EXPECT_EQ(record.functionType, c.type) << c.kind;
        EXPECT_EQ(DataWord(record, 12), c.code) << c.kind;
    }
}

TEST(FunctionRecordTable, ReadBackGivesTheLowestMatchingKind) {
    // Kinds sharing a template come back as the lowest of them.
    const std::pair<tAssignType, tAssignType> cases[] = {{AT_CLICK, AT_CLICK},
                                                         {AT_SCROLL_DOWN, AT_SCROLL_DOWN},
                                                         {AT_DPI_STAGE1 + 2, AT_DPI_STAGE1 + 2},
                                                         {AT_DPI_STAGE1 + 4, AT_DPI_STAGE1 + 4},
                                                         {AT_PROFILE_BY_NAME, AT_PROFILE},
                                                         {AT_PROFILE1 + 3, AT_PROFILE},
                                                         {AT_MACRO_BY_NAME, AT_MACRO},
                                                         {AT_KEYMAP2, AT_KEYMAP},
                                                         {AT_JOYSTICK2, AT_JOYSTICK},
                                                         {AT_ADVANCED, AT_ADVANCED},
                                                         {AT_LAUNCH_PROGRAM, AT_LAUNCH_PROGRAM}};
    for (const auto& [written, read] : cases) {
        EXPECT_EQ(RoundTrip(Kind(written)).kind, read) << written;
    }
}

TEST(FunctionRecordTable, ThirdStageIsTypeFourCodeThreeIndexTwo) {
    const FunctionRecord record = Table().RecordFromAssignment(MB_LEFT, Kind(AT_DPI_STAGE1 + 2));
    EXPECT_EQ(record.functionType, 4u);
    EXPECT_EQ(DataWord(record, 12), 3u);
    EXPECT_EQ(DataWord(record, 16), 2u);
}

TEST(FunctionRecordTable, UnmatchedRecordsAndUnknownFlags) {
    FunctionRecord record;
    record.buttonFlag = 1;
    for (uint32_t type : {0u, 7u, 10u, 13u}) {
        record.functionType = type;
        EXPECT_EQ(Table().MatchKind(record), AT_NONE) << type;
    }
    record.functionType = 4;
    record.data[0] = 3;
    record.data[4] = 5; // sixth stage: no template
    EXPECT_EQ(Table().MatchKind(record), AT_NONE);

    record.buttonFlag = 0x800000;
    tMouseButton button = MB_WHEEL;
    AssignmentRecord assignment = Kind(AT_CLICK);
    EXPECT_FALSE(Table().AssignmentFromRecord(record, button, assignment));
    EXPECT_EQ(button, MB_WHEEL);
    EXPECT_EQ(assignment.kind, AT_CLICK);
}

TEST(FunctionRecordTable, KindWithoutTemplateCarriesOnlyTheFlag) {
    const FunctionRecord record = Table().RecordFromAssignment(MB_WHEEL, Kind(AT_VOLUME_UP));
    FunctionRecord expected;
    expected.buttonFlag = 4;
    EXPECT_EQ(record, expected);
}

TEST(FunctionRecordTable, GuidKindsCarryThePayloadGuid) {
    for (tAssignType kind : {AT_PROFILE, AT_KEYMAP, AT_MACRO, AT_LAUNCH_PROGRAM}) {
        AssignmentRecord in = Kind(kind);
        SetPayloadGuid(in, SampleGuid());
        EXPECT_EQ(GetPayloadGuid(RoundTrip(in)), SampleGuid()) << kind;
    }
}

TEST(FunctionRecordTable, MacroPlayModeAndRepeatCount) {
    struct Case {
        int32_t mode;
        uint8_t deviceByte;
        int32_t readBack;
    };
    const Case cases[] = {{MPM_ONCE, 1, MPM_ONCE},
                          {MPM_MULTIPLE, 2, MPM_MULTIPLE},
                          {MPM_UNTIL_PRESSED, 4, MPM_UNTIL_PRESSED},
                          {MPM_WHILE_PRESSED, 3, MPM_WHILE_PRESSED},
                          {7, 0, 0}};
    for (const Case& c : cases) {
        AssignmentRecord in = Kind(AT_MACRO);
        SetMacroPlayMode(in, static_cast<uint32_t>(c.mode));
        SetMacroRepeatCount(in, 300);
        const FunctionRecord record = Table().RecordFromAssignment(MB_LEFT, in);
        EXPECT_EQ(record.data[28 - 12], c.deviceByte) << c.mode;
        EXPECT_EQ(record.data[29 - 12], 44) << "repeat count keeps its low byte";
        const AssignmentRecord out = RoundTrip(in);
        EXPECT_EQ(GetMacroPlayMode(out), c.readBack);
        EXPECT_EQ(GetMacroRepeatCount(out), 44u);
    }
}

TEST(FunctionRecordTable, TemporaryDpiJoinedAndSeparate) {
    AssignmentRecord joined = Kind(AT_TEMPORARY_DPI);
    SetTempDpi(joined, {1200, 400, 0, 0}); // X is ignored while the axes are joined
    const FunctionRecord joinedRecord = Table().RecordFromAssignment(MB_LEFT, joined);
    EXPECT_EQ(DataWord(joinedRecord, 24), 1200u | (1200u << 16));
    const AssignmentRecord joinedBack = RoundTrip(joined);
    EXPECT_EQ(GetTempDpi(joinedBack), (StageRecord{1200, 0, 0, 0}));

    AssignmentRecord separate = Kind(AT_TEMPORARY_DPI);
    SetTempDpi(separate, {0, 400, 1600, 1});
    const AssignmentRecord separateBack = RoundTrip(separate);
    EXPECT_EQ(GetTempDpi(separateBack), (StageRecord{0, 400, 1600, 1}));
}

TEST(FunctionRecordTable, SingleKeyModifiersPauseAndNumLock) {
    struct Case {
        uint32_t scan;
        uint32_t virtualKey;
        uint8_t modifiers;
        uint32_t modifierWord;
        uint32_t readVirtualKey;
        uint8_t readModifiers;
    };
    const Case cases[] = {
        {0x1E, 0x41, 0x0C, 0x0C000000, 0, 0x0C}, // A with Ctrl+Shift
        {0x1D, 0xA3, 0x01, 0x01000000, 0, 0x01}, // right Ctrl: extended
        {69, 19, 0x00, 0x01000000, 19, 0x00},    // Pause: bit 24 set, extended cleared on read
        {69, 144, 0x08, 0x08000000, 144, 0x08},  // Num Lock with Shift
    };
    for (const Case& c : cases) {
        AssignmentRecord in = Kind(AT_SINGLE_KEY);
        SetKey(in, static_cast<uint16_t>(c.scan), static_cast<uint16_t>(c.virtualKey), c.modifiers);
        const FunctionRecord record = Table().RecordFromAssignment(MB_LEFT, in);
        EXPECT_EQ(record.functionType, 5u);
        EXPECT_EQ(DataWord(record, 12) & 0xFFFF, c.scan);
        EXPECT_EQ(DataWord(record, 14), c.modifierWord) << c.scan;
        const AssignmentRecord out = RoundTrip(in);
        EXPECT_EQ(GetKeyScanCode(out), c.scan);
        EXPECT_EQ(GetKeyVirtualKey(out), c.readVirtualKey) << c.scan;
        EXPECT_EQ(GetKeyModifiers(out), c.readModifiers) << c.scan;
    }
}

TEST(FunctionRecordTable, JoystickKinds) {
    AssignmentRecord axes = Kind(AT_JOYSTICK);
    for (uint8_t i = 0; i < 6; ++i) {
        axes.payload[i] = static_cast<uint8_t>(10 + i);
    }
    const AssignmentRecord back = RoundTrip(axes);
    EXPECT_EQ(back, axes);

    AssignmentRecord direction = Kind(AT_JOYSTICK2);
    SetJoystickWord(direction, 2);
    EXPECT_EQ(DataWord(Table().RecordFromAssignment(MB_LEFT, direction), 12), 0x04u);
    SetJoystickWord(direction, 99);
    EXPECT_EQ(DataWord(Table().RecordFromAssignment(MB_LEFT, direction), 12), 0u);
}
