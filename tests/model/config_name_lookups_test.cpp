#include "model/config_name_lookups.h"

#include "model/assignment_payload.h"
#include "model/corvantis_refresh_config.h"
#include "model/i_mouse_profile.h"
#include "model/macro.h"
#include "platform/text/utf.h"
#include "tests/platform/os/temp_folder.h"

#include <gtest/gtest.h>

TEST(ConfigNameLookups, DetailTextNamesTheConfigurationsMacrosAndProfiles) {
    TempFolder folder;
    CCorvantisRefreshConfig config{tCorvantisModel::Refresh, plat::Utf8ToUtf16(folder.Path() + "/")};
    IMouseConfig& c = config;
    CMacro* macro = c.AddMacro(u"Combo");
    ASSERT_NE(macro, nullptr);
    macro->SetId(GUID::FromWords(1, 2, 3, 4));
    IMouseProfile* profile = c.CreateProfile(u"Work");
    ASSERT_NE(profile, nullptr);
    profile->SetGUID(GUID::FromWords(5, 6, 7, 8));

    const AssignmentNameLookups lookups = ConfigNameLookups(c);
    struct Case {
        AssignmentRecord record;
        std::u16string detail;
    } cases[] = {
        {MakeMacroAssignment(GUID::FromWords(1, 2, 3, 4), u"", MPM_ONCE, 0), u"Combo"},
        {MakeMacroAssignment(GUID{}, u"COMBO", MPM_ONCE, 0), u"Combo"},
        {MakeMacroAssignment(GUID::FromWords(9, 9, 9, 9), u"", MPM_ONCE, 0), u""},
        {MakeProfileAssignment(GUID::FromWords(5, 6, 7, 8), u""), u"Work"},
        {MakeProfileAssignment(GUID{}, u"Work"), u"Work"},
        {MakeProfileAssignment(GUID{}, u"Play"), u""},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(AssignmentDetailText(test.record, DetailStyle::AssignButtons, lookups), test.detail);
    }
}
