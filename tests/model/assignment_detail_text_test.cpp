#include "model/assignment_detail_text.h"

#include "model/assign_type.h"
#include "model/assignment_payload.h"
#include "model/key_name_source.h"
#include "platform/text/format.h"

#include <gtest/gtest.h>

namespace {

// Names a key by its codes and extended bit, so tests see what reached the key names.
class EchoKeyNames final : public IKeyNameSource {
public:
    std::u16string KeyName(uint16_t virtualKey, uint16_t scanCode, bool extended) const override {
        return plat::Format(u"k%X/%X%s", virtualKey, scanCode, extended ? u"e" : u"");
    }
};

class AssignmentDetailTextTest : public ::testing::Test {
protected:
    AssignmentDetailTextTest() { SetKeyNameSource(&m_names); }
    ~AssignmentDetailTextTest() override { SetKeyNameSource(nullptr); }

    AssignmentNameLookups m_lookups{
        [](const GUID& id) { return id == kMacroId ? std::u16string(u"Combo") : std::u16string(); },
        [](std::u16string_view name) {
            return name == u"COMBO" ? std::u16string(u"Combo") : std::u16string();
        },
        [](const GUID& id) { return id == kProfileId ? std::u16string(u"Work") : std::u16string(); },
        [](std::u16string_view name) { return name == u"work" ? std::u16string(u"Work") : std::u16string(); },
    };

    static inline const GUID kMacroId = GUID::FromWords(1, 2, 3, 4);
    static inline const GUID kProfileId = GUID::FromWords(5, 6, 7, 8);

private:
    EchoKeyNames m_names;
};

} // namespace

TEST_F(AssignmentDetailTextTest, KeyAssignmentsJoinModifiersAndKeyName) {
    const struct {
        tAssignType kind;
        uint16_t scan, vk;
        uint8_t modifiers;
        std::u16string_view text;
    } cases[] = {
        {AT_SINGLE_KEY, 0, 0, 0x0C, u"Shift+Ctrl"},
        {AT_SINGLE_KEY, 0, 0, 0x01, u""},
        {AT_SINGLE_KEY, 0, 0, 0x00, u""},
        {AT_SINGLE_KEY, 0x1E, 0x41, 0x0E, u"Shift+Ctrl+Alt+k41/1E"},
        {AT_SINGLE_KEY, 0x1D, 0xA3, 0x01, u"kA3/1De"},
        {AT_DEFAULTKEY, 0x3B, 0x70, 0x02, u"Alt+k70/3B"},
    };
    for (const auto& c : cases) {
        AssignmentRecord record = MakeSingleKeyAssignment(c.scan, c.vk, c.modifiers);
        record.kind = c.kind;
        for (DetailStyle style : {DetailStyle::AssignButtons, DetailStyle::ProfilePreview}) {
            EXPECT_EQ(AssignmentDetailText(record, style, m_lookups), c.text);
        }
    }
}

TEST_F(AssignmentDetailTextTest, TempDpiTextDependsOnTheStyle) {
    const struct {
        StageRecord dpi;
        std::u16string_view assignButtons, preview;
    } cases[] = {
        {{800, 800, 800, 0}, u"800", u"800"},
        {{800, 400, 1600, 1}, u"400X, 1600Y", u"400x, 1600y"},
        // The two places disagree on which field decides; each follows its own rule.
        {{1200, 400, 1600, 0}, u"1200", u"400x, 1600y"},
        {{1200, 800, 800, 1}, u"800X, 800Y", u"1200"},
    };
    for (const auto& c : cases) {
        const AssignmentRecord record = MakeTempDpiAssignment(c.dpi);
        EXPECT_EQ(AssignmentDetailText(record, DetailStyle::AssignButtons, m_lookups), c.assignButtons);
        EXPECT_EQ(AssignmentDetailText(record, DetailStyle::ProfilePreview, m_lookups), c.preview);
    }
}

TEST_F(AssignmentDetailTextTest, MacroAndProfileNamesComeFromTheLookups) {
    const struct {
        AssignmentRecord record;
        std::u16string_view text;
    } cases[] = {
        {MakeMacroAssignment(kMacroId, u"", MPM_ONCE, 0), u"Combo"},
        {MakeMacroAssignment(kProfileId, u"", MPM_ONCE, 0), u""},
        {MakeMacroAssignment(GUID{}, u"COMBO", MPM_ONCE, 0), u"Combo"},
        {MakeMacroAssignment(GUID{}, u"other", MPM_ONCE, 0), u""},
        {MakeProfileAssignment(kProfileId, u""), u"Work"},
        {MakeProfileAssignment(kMacroId, u""), u""},
        {MakeProfileAssignment(GUID{}, u"work"), u"Work"},
        {MakeProfileAssignment(GUID{}, u"Home"), u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AssignmentDetailText(c.record, DetailStyle::AssignButtons, m_lookups), c.text);
        EXPECT_EQ(AssignmentDetailText(c.record, DetailStyle::AssignButtons, AssignmentNameLookups{}), u"");
    }
}

TEST_F(AssignmentDetailTextTest, OtherKindsHaveNoDetail) {
    for (tAssignType kind : {AT_NONE, AT_CLICK, AT_PROFILE1, AT_SCROLL_UP, AT_LAUNCH_PROGRAM, AT_JOYSTICK2}) {
        AssignmentRecord record = MakeSingleKeyAssignment(0x1E, 0x41, 0x0F);
        record.kind = kind;
        EXPECT_EQ(AssignmentDetailText(record, DetailStyle::ProfilePreview, m_lookups), u"") << kind;
    }
}

TEST(AssignmentDetailLine, AddsTheDetailAfterAColonOnlyWhenThereIsOne) {
    EXPECT_EQ(WithDetail(u"Macro", u"Combo"), u"Macro: Combo");
    EXPECT_EQ(WithDetail(u"Macro", u""), u"Macro");
}
