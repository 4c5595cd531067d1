#include "model/corvantis_refresh_config.h"

#include "model/assign_type.h"
#include "platform/os/file_util.h"
#include "platform/os/ini_file.h"
#include "platform/os/user_folders.h"
#include "platform/text/format.h"
#include "platform/text/path.h"

namespace {

constexpr std::u16string_view kSettingsFileName = u"CorvantisRefresh";
constexpr std::u16string_view kSettingsFileExtension = u"kvc";
constexpr std::u16string_view kSettingsSection = u"SETTINGS";
constexpr std::u16string_view kActiveProfileKey = u"ActiveProfileName";
constexpr size_t kSettingsValueLimit = 4096;

struct DefaultAssignment {
    tMouseButton button;
    tAssignType kind;
};

constexpr std::array<DefaultAssignment, 9> kDefaultAssignments{{
    {MB_LEFT, AT_CLICK},
    {MB_RIGHT, AT_MENU},
    {MB_WHEEL, AT_UNIVERSAL_SCROLLING},
    {MB_BUTTON4, AT_BACKWARD},
    {MB_BUTTON5, AT_FORWARD},
    {MB_CENTER_FRONT, AT_DPI_STAGE_UP},
    {MB_CENTER_REAR, AT_DPI_STAGE_DOWN},
    {MB_SCROLL_UP, AT_SCROLL_UP},
    {MB_SCROLL_DOWN, AT_SCROLL_DOWN},
}};

struct ModelDefaults {
    uint32_t dpiMin;
    uint32_t dpiMax;
    uint32_t dpiStep;
    int activeStage; // the stage at 1800 DPI
    std::array<uint32_t, CCorvantisRefreshConfig::kDefaultStageCount> stageDPI;
};

constexpr ModelDefaults kRefreshDefaults{100, 6400, 100, 2, {800, 1800, 4000, 5600, 6400}};
constexpr ModelDefaults kLegacyDefaults{100, 5600, 100, 3, {800, 1200, 1800, 4000, 5600}};

const ModelDefaults& DefaultsOf(tCorvantisModel model) {
    return model == tCorvantisModel::Refresh ? kRefreshDefaults : kLegacyDefaults;
}

constexpr uint32_t kDefaultSensitivityDPI = 1800;
constexpr uint32_t kDefaultLiftOffDistance = 2;
constexpr tPollingRate kDefaultPollingRate = 1;
constexpr uint32_t kDefaultAcceleration = 5;

} // namespace

CCorvantisRefreshConfig::CCorvantisRefreshConfig(tCorvantisModel model, std::u16string saveFolder)
    : m_model(model), m_saveFolder(std::move(saveFolder)),
      m_settingsFilePath(plat::Format(u"%s%s.%s", m_saveFolder, kSettingsFileName, kSettingsFileExtension)),
      m_profileFilePattern(plat::Format(u"%s*.%s", m_saveFolder, GetProfileFileExtension())) {}

std::u16string CCorvantisRefreshConfig::DefaultSaveFolder() {
    return plat::SaveFolder();
}

uint32_t CCorvantisRefreshConfig::DefaultStageDPI(tCorvantisModel model, int stage) {
    if (stage < 1 || stage > static_cast<int>(kDefaultStageCount)) {
        return 0;
    }
    return DefaultsOf(model).stageDPI[static_cast<size_t>(stage - 1)];
}

IMouseProfile* CCorvantisRefreshConfig::Target(IMouseProfile* profile) const {
    return profile != nullptr ? profile : GetActiveProfile();
}

void CCorvantisRefreshConfig::ResetProfile(IMouseProfile* profile) {
    if (profile != nullptr) {
        for (const tMouseButton button : kResetButtonOrder) {
            SetButtonAssignment(button, GetDefaultButtonAssignment(button), profile);
        }
        const ModelDefaults& defaults = DefaultsOf(m_model);
        SetDPIRange(defaults.dpiMin, defaults.dpiMax, defaults.dpiStep, profile);
        SetActiveStage(defaults.activeStage, profile);
        for (int stage = 1; stage <= static_cast<int>(kDefaultStageCount); ++stage) {
            SetStageDPI(stage, defaults.stageDPI[static_cast<size_t>(stage - 1)], profile);
            SetStageSeparateAxes(stage, false, profile);
        }
        SetDPIStageCount(kDefaultStageCount, profile);
        SetSensitivitySeparateAxes(false, profile);
        SetSensitivityDPI(kDefaultSensitivityDPI, profile);
        SetLedState(LED_SCROLLWHEEL, true, profile);
        SetLedState(LED_LOGO, true, profile);
        SetDPIOSD(true, profile);
        SetProfileOSDAll(GetProfileOSD(nullptr));
    } else {
        SetProfileOSDAll(true);
    }
    if (m_model == tCorvantisModel::Refresh) {
        SetLiftOffRange(0, 100);
        SetSurfaceCalibration(true);
        SetLiftOffAutomatic(true);
        SetLiftOffDistance(kDefaultLiftOffDistance);
    }
    SetPollingRate(kDefaultPollingRate, 0);
    SetAcceleration(kDefaultAcceleration);
    SetAccelerationOn(false);
    SetApplicationPath(profile, u"");
    SetApplicationLink(profile, false);
}

bool CCorvantisRefreshConfig::SetMaxDPIStages(uint32_t count, IMouseProfile* profile) {
    if (count == 0 || profile == nullptr) {
        return false;
    }
    return profile->SetMaxDPIStages(count);
}

IMouseProfile* CCorvantisRefreshConfig::CreateProfile(std::u16string_view name) {
    IMouseProfile* profile = AppendProfile(std::make_unique<CCorvantisRefreshProfile>(name));
    SetMaxDPIStages(kDefaultStageCount, profile);
    ResetProfile(profile);
    profile->CommitAll();
    return profile;
}

AssignmentRecord CCorvantisRefreshConfig::GetDefaultButtonAssignment(tMouseButton button) const {
    AssignmentRecord record;
    for (const DefaultAssignment& entry : kDefaultAssignments) {
        if (entry.button == button) {
            record.kind = entry.kind;
        }
    }
    return record;
}

// The settings file only remembers which profile was active; the profiles themselves come
// from the mouse.
void CCorvantisRefreshConfig::LoadSettings() {
    const int loaded = LoadProfilesFromFiles();
    const std::u16string name = plat::GetPrivateProfileString(kSettingsSection, kActiveProfileKey, u"",
                                                              kSettingsValueLimit, m_settingsFilePath);
    if (loaded <= 0) {
        return;
    }
    SetActivePlain(ProfileAt(0));
    if (!name.empty()) {
        if (IMouseProfile* named = FindProfileByName(name)) {
            SetActivePlain(Owned(named));
        }
    }
}

bool CCorvantisRefreshConfig::SaveSettings() {
    if (!SaveProfilesToFiles(nullptr)) {
        return false;
    }
    const IMouseProfile* active = GetActiveProfile();
    if (active == nullptr) {
        return false;
    }
    return plat::WritePrivateProfileString(kSettingsSection, kActiveProfileKey, active->GetName(),
                                           m_settingsFilePath);
}

int CCorvantisRefreshConfig::LoadProfilesFromFiles() {
    const std::vector<std::u16string> files = plat::FindFiles(m_profileFilePattern);
    if (files.empty()) {
        return 0;
    }
    DeleteAllProfiles();
    int loaded = 0;
    for (const std::u16string& file : files) {
        auto profile = std::make_unique<CCorvantisRefreshProfile>();
        if (!profile->LoadFromFile(plat::SplitPath(file).name, m_saveFolder, GetProfileFileExtension())) {
            return loaded;
        }
        AppendProfile(std::move(profile));
        ++loaded;
    }
    return loaded;
}

bool CCorvantisRefreshConfig::SaveProfilesToFiles(IMouseProfile* profile) {
    if (profile != nullptr) {
        return profile->SaveToFile(profile->GetName(), m_saveFolder, GetProfileFileExtension());
    }
    for (int i = 0; i < GetProfileCount(); ++i) {
        IMouseProfile* each = GetProfile(i);
        each->SaveToFile(each->GetName(), m_saveFolder, GetProfileFileExtension());
    }
    return true;
}
