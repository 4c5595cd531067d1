// The configuration of the Corvantis mice: the defaults a new or reset profile gets on
// each model, the settings file that remembers the active profile, and the operations
// that act on a given profile or, without one, on the active profile.
#pragma once

#include "model/corvantis_refresh_profile.h"
#include "model/mouse_config.h"

#include <array>

// Which hardware model the defaults are for. The refresh model has a wider DPI range,
// other default stages, and lift-off and surface calibration settings.
enum class tCorvantisModel { Refresh, Legacy };

// Callers work through IMouseConfig, whose operations carry the "null means the active
// profile" defaults.
class CCorvantisRefreshConfig : public CMouseConfig<CCorvantisRefreshProfile> {
public:
    static constexpr uint32_t kDefaultStageCount = 5;
    // The buttons a profile assigns, in the order their defaults are applied.
    static constexpr std::array<tMouseButton, 9> kResetButtonOrder{
        MB_LEFT,         MB_RIGHT,       MB_WHEEL,     MB_BUTTON5,    MB_BUTTON4,
        MB_CENTER_FRONT, MB_CENTER_REAR, MB_SCROLL_UP, MB_SCROLL_DOWN};

    // `saveFolder` (with its trailing separator) holds the settings file and any profile files.
    explicit CCorvantisRefreshConfig(tCorvantisModel model = tCorvantisModel::Refresh,
                                     std::u16string saveFolder = DefaultSaveFolder());
    CCorvantisRefreshConfig(const CCorvantisRefreshConfig&) = delete;
    CCorvantisRefreshConfig& operator=(const CCorvantisRefreshConfig&) = delete;

    // The main window learns the model only once a mouse is chosen.
    void SetModel(tCorvantisModel model) { m_model = model; }
    tCorvantisModel GetModel() const { return m_model; }
    // The default DPI of a stage (1-based) on a model; 0 outside 1..5.
    static uint32_t DefaultStageDPI(tCorvantisModel model, int stage);
    static std::u16string DefaultSaveFolder();

    const std::u16string& GetSaveFolder() const { return m_saveFolder; }
    const std::u16string& GetSettingsFilePath() const { return m_settingsFilePath; }
    const std::u16string& GetProfileFilePattern() const { return m_profileFilePattern; }
    static std::u16string_view GetProfileFileExtension() { return u"kvp"; }

    void ResetProfile(IMouseProfile* profile) override;
    bool SetMaxDPIStages(uint32_t count, IMouseProfile* profile) override;
    void SetDPIStageCount(uint32_t count, IMouseProfile* profile) override;
    uint32_t GetMaxDPIStages(IMouseProfile* profile) const override;
    uint32_t GetDPIStageCount(IMouseProfile* profile) const override;
    int GetKeyAssignmentCount(IMouseProfile* profile) const override;
    IMouseProfile* CreateProfile(std::u16string_view name) override;

    void SetApplicationPath(IMouseProfile* profile, std::u16string_view path) override;
    std::u16string GetApplicationPath(IMouseProfile* profile) const override;
    void SetApplicationLink(IMouseProfile* profile, bool on) override;
    bool GetApplicationLink(IMouseProfile* profile) const override;
    void SetProfileOSD(bool on, IMouseProfile* profile) override;
    bool GetProfileOSD(IMouseProfile* profile) const override;
    void SetDPIOSD(bool on, IMouseProfile* profile) override;
    bool GetDPIOSD(IMouseProfile* profile) const override;
    void SetStageSeparateAxes(int stage, bool on, IMouseProfile* profile) override;
    bool GetStageSeparateAxes(int stage, IMouseProfile* profile) const override;
    void SetActiveStage(int stage, IMouseProfile* profile) override;
    int GetActiveStage(IMouseProfile* profile) const override;
    void SetStageDPI(int stage, uint32_t dpi, IMouseProfile* profile) override;
    uint32_t GetStageDPI(int stage, IMouseProfile* profile) const override;
    void SetSensitivityDPI(uint32_t dpi, IMouseProfile* profile) override;
    uint32_t GetSensitivityDPI(IMouseProfile* profile) const override;
    void SetSensitivityDPIX(uint32_t dpi, IMouseProfile* profile) override;
    uint32_t GetSensitivityDPIX(IMouseProfile* profile) const override;
    void SetSensitivityDPIY(uint32_t dpi, IMouseProfile* profile) override;
    uint32_t GetSensitivityDPIY(IMouseProfile* profile) const override;
    void SetTempDPI(uint32_t dpi, IMouseProfile* profile) override;
    uint32_t GetTempDPI(IMouseProfile* profile) const override;
    void SetTempDPIX(uint32_t dpi, IMouseProfile* profile) override;
    uint32_t GetTempDPIX(IMouseProfile* profile) const override;
    void SetTempDPIY(uint32_t dpi, IMouseProfile* profile) override;
    uint32_t GetTempDPIY(IMouseProfile* profile) const override;
    void SetSensitivitySeparateAxes(bool on, IMouseProfile* profile) override;
    bool GetSensitivitySeparateAxes(IMouseProfile* profile) const override;
    void SetTempSeparateAxes(bool on, IMouseProfile* profile) override;
    bool GetTempSeparateAxes(IMouseProfile* profile) const override;
    void SetStageDPIX(int stage, uint32_t dpi, IMouseProfile* profile) override;
    uint32_t GetStageDPIX(int stage, IMouseProfile* profile) const override;
    void SetStageDPIY(int stage, uint32_t dpi, IMouseProfile* profile) override;
    uint32_t GetStageDPIY(int stage, IMouseProfile* profile) const override;
    void SetDPIRange(uint32_t min, uint32_t max, uint32_t step, IMouseProfile* profile) override;
    bool GetDPIRange(uint32_t& min, uint32_t& max, uint32_t& step, IMouseProfile* profile) const override;

    bool SetButtonAssignment(tMouseButton button, AssignmentRecord record, IMouseProfile* profile) override;
    AssignmentRecord GetButtonAssignment(tMouseButton button, IMouseProfile* profile) override;
    bool HasClickAssignment(IMouseProfile* profile) const override;
    AssignmentRecord GetDefaultButtonAssignment(tMouseButton button) const override;
    bool SetKeyAssignment(int32_t key, AssignmentRecord record, IMouseProfile* profile) override;
    AssignmentRecord GetKeyAssignment(int32_t key, IMouseProfile* profile) override;
    AssignmentRecord GetEmptyAssignment() const override { return AssignmentRecord{}; }
    void SetKeyAssignmentsInUse(bool on, IMouseProfile* profile) override;
    bool GetKeyAssignmentsInUse(IMouseProfile* profile) const override;

    void SetLedState(tLEDType zone, bool on, IMouseProfile* profile) override;
    bool GetLedState(tLEDType zone, IMouseProfile* profile) const override;
    void SetLedColour(tLEDType zone, uint32_t colour, IMouseProfile* profile) override;
    uint32_t GetLedColour(tLEDType zone, IMouseProfile* profile) const override;
    void SetLedEffect(tLEDType zone, tLEDEffect effect, IMouseProfile* profile) override;
    tLEDEffect GetLedEffect(tLEDType zone, IMouseProfile* profile) const override;
    void SetLedBrightness(tLEDType zone, uint32_t percent, IMouseProfile* profile) override;
    uint32_t GetLedBrightness(tLEDType zone, IMouseProfile* profile) const override;

    void LoadSettings() override;
    bool SaveSettings() override;
    // Profile files cannot be read: when any exist, the list is emptied and nothing loaded.
    int LoadProfilesFromFiles() override;
    bool SaveProfilesToFiles(IMouseProfile* profile) override;

private:
    // The given profile, or the active one for null.
    IMouseProfile* Target(IMouseProfile* profile) const;

    tCorvantisModel m_model;
    std::u16string m_saveFolder;
    std::u16string m_settingsFilePath;
    std::u16string m_profileFilePattern;
};
