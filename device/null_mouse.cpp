// Placeholder data of the no-device mouse.
#include "device/null_mouse.h"

#include "model/assign_type.h"
#include "platform/core/clock.h"
#include "platform/text/format.h"
#include "platform/text/guid.h"

#include <array>

namespace {

// The placeholder profiles' fixed GUIDs, in profile order.
constexpr std::array<std::u16string_view, 20> kPlaceholderGuids{
    u"{00A98AC7-0457-0457-0101-010101010101}", u"{0153158E-08AE-08AE-0202-020202020202}",
    u"{01FCA055-0D05-0D05-0303-030303030303}", u"{02A62B1C-115C-115C-0404-040404040404}",
    u"{034FB5E3-15B3-15B3-0505-050505050505}", u"{03F940AA-1A0A-1A0A-0606-060606060606}",
    u"{04A2CB71-1E61-1E61-0707-070707070707}", u"{054C5638-22B8-22B8-0808-080808080808}",
    u"{05F5E0FF-270F-270F-0909-090909090909}", u"{00A98AC7-15B3-15B3-0505-050505050505}",
    u"{0153158E-0457-0457-0101-010101010101}", u"{01FCA055-08AE-08AE-0202-020202020202}",
    u"{02A62B1C-0D05-0D05-0303-030303030303}", u"{034FB5E3-115C-115C-0404-040404040404}",
    u"{03F940AA-15B3-15B3-0505-050505050505}", u"{04A2CB71-0457-0457-0101-010101010101}",
    u"{054C5638-08AE-08AE-0202-020202020202}", u"{05F5E0FF-0D05-0D05-0303-030303030303}",
    u"{00A98AC7-115C-115C-0404-040404040404}", u"{0153158E-15B3-15B3-0505-050505050505}"};

constexpr std::array<uint32_t, 5> kStageDpi{800, 1200, 1800, 4000, 5600};

struct DefaultAssignment {
    tMouseButton button;
    tAssignType kind;
};
constexpr std::array<DefaultAssignment, 7> kDefaults{{{MB_LEFT, AT_CLICK},
                                                      {MB_RIGHT, AT_MENU},
                                                      {MB_WHEEL, AT_UNIVERSAL_SCROLLING},
                                                      {MB_BUTTON4, AT_BACKWARD},
                                                      {MB_BUTTON5, AT_FORWARD},
                                                      {MB_SCROLL_UP, AT_SCROLL_UP},
                                                      {MB_SCROLL_DOWN, AT_SCROLL_DOWN}}};

} // namespace

GUID CNullMouse::PlaceholderGuid(int index) {
    if (index < 0 || index >= kProfileCount) {
        return GUID{};
    }
    return plat::GuidFromString(kPlaceholderGuids[static_cast<size_t>(index)]).value_or(GUID{});
}

bool CNullMouse::Initialize(IMouseConfig* config) {
    if (config == nullptr) {
        return false;
    }
    config->DeleteAllProfiles();
    for (int i = 0; i < kProfileCount; ++i) {
        IMouseProfile* profile = config->CreateProfile(plat::Format(u"PROFILE%02d", i + 1));
        if (profile == nullptr) {
            continue;
        }
        profile->SetGUID(PlaceholderGuid(i));
        config->SetMaxDPIStages(5, profile);
        config->SetDPIRange(100, 5600, 100, profile);
        config->SetActiveStage(3, profile);
        config->SetDPIStageCount(5, profile);
        for (size_t s = 0; s < kStageDpi.size(); ++s) {
            config->SetStageDPI(static_cast<int>(s) + 1, kStageDpi[s], profile);
        }
        for (const DefaultAssignment& entry : kDefaults) {
            AssignmentRecord record;
            record.kind = entry.kind;
            config->SetButtonAssignment(entry.button, record, profile);
        }
    }
    config->SetActiveProfile(config->GetProfile(0));
    config->SetAccelerationRange(1, 10);
    config->SetAcceleration(5);
    config->SetAccelerationOn(true);
    config->SetLiftOffRange(0, 100);
    config->SetLiftOffDistance(0);
    config->SetFlashWarningRangeDefault();
    config->SetPollingRates({125, 500, 1000});
    config->SetPollingRate(1);
    return true;
}

bool CNullMouse::Transfer(IMouseConfig* /*config*/, int /*mode*/, uint32_t /*mask*/) {
    m_channel.ReportProgress(0);
    plat::Sleep(5);
    return false;
}

bool CNullMouse::GetFirmwareVersion(std::u16string& text) {
    text = plat::Format(u"%d.00", 1);
    return true;
}

bool CNullMouse::GetOtherVersion(std::u16string& text) {
    text = plat::Format(u"%d.00", 1);
    return true;
}
