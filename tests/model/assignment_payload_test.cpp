#include "model/assignment_payload.h"

#include "model/assign_type.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const GUID kGuid = GUID::FromWords(0x04030201, 0x08070605, 0x0C0B0A09, 0x100F0E0D);

// Every byte from `from` on is zero.
bool ZeroFrom(const AssignmentRecord& record, size_t from) {
    for (size_t i = from; i < record.payload.size(); ++i) {
        if (record.payload[i] != 0) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST(AssignmentPayload, KeyFieldsLieLittleEndianAtTheirOffsets) {
    const AssignmentRecord record = MakeSingleKeyAssignment(0x1D, 0xA2, kKeyModExtended | kKeyModShift);
    EXPECT_EQ(record.kind, AT_SINGLE_KEY);
    const uint8_t expected[] = {0x1D, 0x00, 0xA2, 0x00, 0x09};
    for (size_t i = 0; i < sizeof expected; ++i) {
        EXPECT_EQ(record.payload[i], expected[i]) << "byte " << i;
    }
    EXPECT_TRUE(ZeroFrom(record, 5));
    EXPECT_EQ(GetKeyScanCode(record), 0x1D);
    EXPECT_EQ(GetKeyVirtualKey(record), 0xA2);
    EXPECT_EQ(GetKeyModifiers(record), 0x09);
}

TEST(AssignmentPayload, MacroAssignmentChoosesKindByWhetherTheIdIsNull) {
    struct Case {
        GUID id;
        tMacroPlayMode mode;
        uint32_t repeat;
        tAssignType kind;
        tMacroPlayMode storedMode;
        uint32_t storedRepeat;
    } cases[] = {
        {kGuid, MPM_MULTIPLE, 5, AT_MACRO, MPM_MULTIPLE, 5},
        {kGuid, MPM_ONCE, 5, AT_MACRO, MPM_ONCE, 0},
        {GUID{}, MPM_WHILE_PRESSED, 3, AT_MACRO_BY_NAME, MPM_WHILE_PRESSED, 0},
        {GUID{}, 0, 7, AT_MACRO_BY_NAME, MPM_ONCE, 0},
        {kGuid, 9, 7, AT_MACRO, MPM_ONCE, 0},
    };
    for (const Case& c : cases) {
        const AssignmentRecord record = MakeMacroAssignment(c.id, u"Combo", c.mode, c.repeat);
        EXPECT_EQ(record.kind, c.kind);
        EXPECT_EQ(GetMacroPlayMode(record), c.storedMode);
        EXPECT_EQ(GetMacroRepeatCount(record), c.storedRepeat);
        EXPECT_EQ(record.payload[520], static_cast<uint8_t>(c.storedMode));
        if (c.kind == AT_MACRO) {
            EXPECT_EQ(GetPayloadGuid(record), kGuid);
            EXPECT_EQ(record.payload[0], 0x01);
            EXPECT_EQ(record.payload[15], 0x10);
        } else {
            EXPECT_EQ(GetPayloadName(record), u"Combo");
        }
    }
}

TEST(AssignmentPayload, NameFieldKeepsAtMost259UnitsAndItsTerminator) {
    AssignmentRecord record =
        MakeMacroAssignment(GUID{}, std::u16string(300, u'x'), MPM_MULTIPLE, 0x01020304);
    EXPECT_EQ(GetPayloadName(record), std::u16string(259, u'x'));
    EXPECT_EQ(record.payload[518], 0);
    EXPECT_EQ(record.payload[519], 0);
    EXPECT_EQ(GetMacroRepeatCount(record), 0x01020304u);
    EXPECT_EQ(record.payload[524], 0x04);

    // A shorter name written over a longer one leaves no tail behind.
    SetPayloadName(record, u"ab");
    EXPECT_EQ(GetPayloadName(record), u"ab");
    EXPECT_EQ(record.payload[6], 0);
    const AssignmentRecord fresh = MakeProfileAssignment(GUID{}, u"ab");
    EXPECT_TRUE(std::equal(record.payload.begin(), record.payload.begin() + 520, fresh.payload.begin()));
}

TEST(AssignmentPayload, UnterminatedNameReadsTheWholeFieldOnly) {
    AssignmentRecord record = MakeAssignment(AT_PROFILE_BY_NAME);
    record.payload.fill(0x41);
    EXPECT_EQ(GetPayloadName(record), std::u16string(260, u'\x4141'));
}

TEST(AssignmentPayload, ProfileAssignmentChoosesKindByWhetherTheIdIsNull) {
    const AssignmentRecord byId = MakeProfileAssignment(kGuid, u"Work");
    EXPECT_EQ(byId.kind, AT_PROFILE);
    EXPECT_EQ(GetPayloadGuid(byId), kGuid);
    EXPECT_TRUE(ZeroFrom(byId, 16));
    const AssignmentRecord byName = MakeProfileAssignment(GUID{}, u"Work");
    EXPECT_EQ(byName.kind, AT_PROFILE_BY_NAME);
    EXPECT_EQ(GetPayloadName(byName), u"Work");
    EXPECT_TRUE(ZeroFrom(byName, 10));
}

TEST(AssignmentPayload, TempDpiFieldsRoundTrip) {
    const StageRecord dpi{800, 400, 1600, 1};
    const AssignmentRecord record = MakeTempDpiAssignment(dpi);
    EXPECT_EQ(record.kind, AT_TEMPORARY_DPI);
    EXPECT_EQ(GetTempDpi(record), dpi);
    EXPECT_EQ(record.payload[0], 0x20);
    EXPECT_EQ(record.payload[1], 0x03);
    EXPECT_EQ(record.payload[4], 0x90);
    EXPECT_EQ(record.payload[9], 0x06);
    EXPECT_EQ(record.payload[12], 1);
    EXPECT_TRUE(ZeroFrom(record, 13));
}

TEST(AssignmentPayload, JoystickFieldsShareTheFirstBytes) {
    AssignmentRecord record = MakeAssignment(AT_JOYSTICK);
    SetJoystickBytes(record, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(GetJoystickWord(record), 0x04030201u);
    SetJoystickWord(record, 0xA0B0C0D0);
    EXPECT_EQ(GetJoystickBytes(record), (std::array<uint8_t, 6>{0xD0, 0xC0, 0xB0, 0xA0, 5, 6}));
}

TEST(AssignmentPayload, ReferencesMatchByIdOrByNameIgnoringCase) {
    const GUID other = GUID::FromWords(9, 9, 9, 9);
    const struct {
        AssignmentRecord record;
        bool macro;
        bool profile;
    } cases[] = {
        {MakeMacroAssignment(kGuid, u"", MPM_ONCE, 0), true, false},
        {MakeMacroAssignment(other, u"", MPM_ONCE, 0), false, false},
        {MakeMacroAssignment(GUID{}, u"TARGET", MPM_ONCE, 0), true, false},
        {MakeMacroAssignment(GUID{}, u"target2", MPM_ONCE, 0), false, false},
        {MakeProfileAssignment(kGuid, u""), false, true},
        {MakeProfileAssignment(GUID{}, u"Target"), false, true},
        {MakeSingleKeyAssignment(0x1E, 0x41, 0), false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RefersToMacro(c.record, kGuid, u"target"), c.macro) << c.record.kind;
        EXPECT_EQ(RefersToProfile(c.record, kGuid, u"target"), c.profile) << c.record.kind;
    }
}

TEST(AssignmentPayload, RetargetKeepsModeAndCountAsStored) {
    AssignmentRecord old = MakeMacroAssignment(GUID{}, u"Old", MPM_ONCE, 0);
    SetMacroPlayMode(old, 9);
    SetMacroRepeatCount(old, 4);
    const AssignmentRecord byId = RetargetMacroAssignment(old, kGuid, u"New");
    EXPECT_EQ(byId.kind, AT_MACRO);
    EXPECT_EQ(GetMacroId(byId), kGuid);
    EXPECT_EQ(GetMacroPlayMode(byId), 9);
    EXPECT_EQ(GetMacroRepeatCount(byId), 4u);
    const AssignmentRecord byName = RetargetMacroAssignment(byId, GUID{}, u"New");
    EXPECT_EQ(byName.kind, AT_MACRO_BY_NAME);
    EXPECT_EQ(GetMacroName(byName), u"New");
    // No GUID bytes are left behind between the name and the play mode.
    EXPECT_TRUE(std::all_of(byName.payload.begin() + 8, byName.payload.begin() + 520,
                            [](uint8_t b) { return b == 0; }));
}
