// A profile of a mouse with buttons and DPI stages: button assignments, the DPI range, the
// stages with the active one, the sensitivity and temporary DPI records, and the DPI
// on-screen display. Stage numbers outside 1..maximum address the nearest stage.
#pragma once

#include "model/base_profile.h"
#include "model/cat_vec.h"

#include <optional>

class CMouseProfile : public CBaseProfile {
public:
    static constexpr uint32_t kMaxStages = 10;

    bool SetMaxDPIStages(uint32_t count) override;
    uint32_t GetMaxDPIStages() const override { return m_maxStages; }
    uint32_t GetDPIStageCount() const override { return m_catStageCount.Get(); }
    void SetDPIStageCount(uint32_t count) override;

    void SetDPIOSD(bool on) override;
    bool GetDPIOSD() const override { return m_dpiOSD; }

    void SetStageSeparateAxes(int stage, bool on) override;
    bool GetStageSeparateAxes(int stage) const override;
    void SetActiveStage(int stage) override;
    int GetActiveStage() const override { return m_catActiveStage.Get() + 1; }
    void SetStageDPI(int stage, uint32_t dpi) override;
    uint32_t GetStageDPI(int stage) const override;
    void SetStageDPIX(int stage, uint32_t dpi) override;
    uint32_t GetStageDPIX(int stage) const override;
    void SetStageDPIY(int stage, uint32_t dpi) override;
    uint32_t GetStageDPIY(int stage) const override;

    void SetSensitivityDPI(uint32_t dpi) override;
    uint32_t GetSensitivityDPI() const override { return m_catSensitivity.Get().dpi; }
    void SetSensitivityDPIX(uint32_t dpi) override;
    uint32_t GetSensitivityDPIX() const override { return m_catSensitivity.Get().dpiX; }
    void SetSensitivityDPIY(uint32_t dpi) override;
    uint32_t GetSensitivityDPIY() const override { return m_catSensitivity.Get().dpiY; }
    void SetSensitivitySeparateAxes(bool on) override;
    bool GetSensitivitySeparateAxes() const override { return m_catSensitivity.Get().separateAxes != 0; }

    void SetTempDPI(uint32_t dpi) override;
    uint32_t GetTempDPI() const override { return m_catTempDPI.Get().dpi; }
    void SetTempDPIX(uint32_t dpi) override;
    uint32_t GetTempDPIX() const override { return m_catTempDPI.Get().dpiX; }
    void SetTempDPIY(uint32_t dpi) override;
    uint32_t GetTempDPIY() const override { return m_catTempDPI.Get().dpiY; }
    void SetTempSeparateAxes(bool on) override;
    bool GetTempSeparateAxes() const override { return m_catTempDPI.Get().separateAxes != 0; }

    // The range clamps stage DPI values; the step is kept for the pages but not applied.
    void SetDPIRange(uint32_t min, uint32_t max, uint32_t step) override;
    bool GetDPIRange(uint32_t& min, uint32_t& max, uint32_t& step) const override;

    // Button assignments keep their committed value across sets, unlike key assignments.
    bool SetButtonAssignment(tMouseButton button, const AssignmentRecord& record) override;
    AssignmentRecord GetButtonAssignment(tMouseButton button) override;
    bool HasClickAssignment() const override;

    bool IsButtonAssignmentModified(bool all, tMouseButton button) const override;
    // Type 8: DPI stage by zero-based index; type 1: key assignment by key.
    bool IsElementModified(int type, int index) const override;

    // Makes every field equal to the other's current values. The committed values are
    // those of fresh elements, so the copy reports modified whatever an empty profile lacks.
    void CopyFrom(const CMouseProfile& other);

    // The button assignments in button order, for writers that walk every button.
    const std::map<tMouseButton, AssignmentRecord>& ButtonAssignments() const { return m_buttonAssignments; }

protected:
    explicit CMouseProfile(std::u16string_view name);

private:
    std::optional<size_t> StageIndex(int stage) const;
    // Applies `change` to the plain stage and, when it exists, the tracked one.
    template <typename Change> void ChangeStage(int stage, Change change);
    const StageRecord* TrackedStage(int stage) const;
    uint32_t ClampDPI(uint32_t dpi) const;
    template <typename Change> void ChangeSensitivity(Change change);
    template <typename Change> void ChangeTempDPI(Change change);

    std::map<tMouseButton, AssignmentRecord> m_buttonAssignments;
    CCatMouseBtnAssignMap m_catButtonAssignments;

    uint32_t m_dpiMin = 0;
    uint32_t m_dpiMax = 0;
    uint32_t m_dpiStep = 0;

    uint32_t m_maxStages = 0;
    std::vector<StageRecord> m_stages;
    CCatDPIStagesVec m_catStages;
    uint32_t m_stageCount = 0;
    CCatUInt m_catStageCount;
    int32_t m_activeStage = -1;
    CCatInt m_catActiveStage;

    StageRecord m_sensitivity;
    CCatDPIStage m_catSensitivity;
    StageRecord m_tempDPI;
    CCatDPIStage m_catTempDPI;

    bool m_dpiOSD = false;
    CCatBool m_catDPIOSD;
};
