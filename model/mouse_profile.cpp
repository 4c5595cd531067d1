#include "model/mouse_profile.h"

#include "model/assign_type.h"
#include "model/category_id.h"
#include "model/range_clamp.h"

#include <algorithm>

CMouseProfile::CMouseProfile(std::u16string_view name) : CBaseProfile(name) {
    Register(CAT_BUTTON_ASSIGNMENTS, &m_catButtonAssignments);
    Register(CAT_SENSITIVITY, &m_catSensitivity);
    // The temporary DPI shares the sensitivity's id and the first registration stays, so it
    // is never asked: it reaches the mouse inside a temporary-DPI button assignment.
    Register(CAT_SENSITIVITY, &m_catTempDPI);
    Register(CAT_ACTIVE_STAGE, &m_catActiveStage);
    Register(CAT_DPI_STAGES, &m_catStages);
    Register(CAT_DPI_STAGE_COUNT, &m_catStageCount);
    Register(CAT_DPI_OSD, &m_catDPIOSD);
}

bool CMouseProfile::SetMaxDPIStages(uint32_t count) {
    count = std::clamp(count, 1u, kMaxStages);
    m_stages.assign(count, StageRecord{});
    m_maxStages = count;
    m_catStages.clear();
    m_catStages.resize(count);
    SetActiveStage(1);
    return true;
}

void CMouseProfile::SetDPIStageCount(uint32_t count) {
    m_stageCount = std::min(count, m_maxStages);
    m_catStageCount.Set(m_stageCount);
}

void CMouseProfile::SetDPIOSD(bool on) {
    m_dpiOSD = on;
    m_catDPIOSD.Set(on);
}

std::optional<size_t> CMouseProfile::StageIndex(int stage) const {
    if (m_maxStages == 0) {
        return std::nullopt;
    }
    const uint32_t number = stage < 1 ? 1u : static_cast<uint32_t>(stage);
    return std::min(number, m_maxStages) - 1;
}

template <typename Change> void CMouseProfile::ChangeStage(int stage, Change change) {
    const std::optional<size_t> index = StageIndex(stage);
    if (!index) {
        return;
    }
    if (*index < m_stages.size()) {
        change(m_stages[*index]);
    }
    if (*index < m_catStages.size()) {
        change(m_catStages[*index].Current());
    }
}

const StageRecord* CMouseProfile::TrackedStage(int stage) const {
    const std::optional<size_t> index = StageIndex(stage);
    if (!index || *index >= m_catStages.size()) {
        return nullptr;
    }
    return &m_catStages[*index].Get();
}

uint32_t CMouseProfile::ClampDPI(uint32_t dpi) const {
    return ClampToRange(dpi, m_dpiMin, m_dpiMax);
}

void CMouseProfile::SetStageSeparateAxes(int stage, bool on) {
    ChangeStage(stage, [on](StageRecord& record) { record.separateAxes = on ? 1 : 0; });
}

bool CMouseProfile::GetStageSeparateAxes(int stage) const {
    const StageRecord* record = TrackedStage(stage);
    return record != nullptr && record->separateAxes != 0;
}

void CMouseProfile::SetActiveStage(int stage) {
    const int count = static_cast<int>(m_catStages.size());
    int index = 0;
    if (count > 0) {
        index = std::clamp(stage, 1, count) - 1;
    }
    m_activeStage = index;
    m_catActiveStage.Set(index);
}

void CMouseProfile::SetStageDPI(int stage, uint32_t dpi) {
    dpi = ClampDPI(dpi);
    ChangeStage(stage, [dpi](StageRecord& record) { record.dpi = dpi; });
}

uint32_t CMouseProfile::GetStageDPI(int stage) const {
    const StageRecord* record = TrackedStage(stage);
    return record ? record->dpi : 0;
}

void CMouseProfile::SetStageDPIX(int stage, uint32_t dpi) {
    dpi = ClampDPI(dpi);
    ChangeStage(stage, [dpi](StageRecord& record) { record.dpiX = dpi; });
}

uint32_t CMouseProfile::GetStageDPIX(int stage) const {
    const StageRecord* record = TrackedStage(stage);
    return record ? record->dpiX : 0;
}

void CMouseProfile::SetStageDPIY(int stage, uint32_t dpi) {
    dpi = ClampDPI(dpi);
    ChangeStage(stage, [dpi](StageRecord& record) { record.dpiY = dpi; });
}

uint32_t CMouseProfile::GetStageDPIY(int stage) const {
    const StageRecord* record = TrackedStage(stage);
    return record ? record->dpiY : 0;
}

template <typename Change> void CMouseProfile::ChangeSensitivity(Change change) {
    change(m_sensitivity);
    change(m_catSensitivity.Current());
}

template <typename Change> void CMouseProfile::ChangeTempDPI(Change change) {
    change(m_tempDPI);
    change(m_catTempDPI.Current());
}

void CMouseProfile::SetSensitivityDPI(uint32_t dpi) {
    ChangeSensitivity([dpi](StageRecord& record) { record.dpi = dpi; });
}

void CMouseProfile::SetSensitivityDPIX(uint32_t dpi) {
    ChangeSensitivity([dpi](StageRecord& record) { record.dpiX = dpi; });
}

void CMouseProfile::SetSensitivityDPIY(uint32_t dpi) {
    ChangeSensitivity([dpi](StageRecord& record) { record.dpiY = dpi; });
}

void CMouseProfile::SetSensitivitySeparateAxes(bool on) {
    ChangeSensitivity([on](StageRecord& record) { record.separateAxes = on ? 1 : 0; });
}

void CMouseProfile::SetTempDPI(uint32_t dpi) {
    ChangeTempDPI([dpi](StageRecord& record) { record.dpi = dpi; });
}

void CMouseProfile::SetTempDPIX(uint32_t dpi) {
    ChangeTempDPI([dpi](StageRecord& record) { record.dpiX = dpi; });
}

void CMouseProfile::SetTempDPIY(uint32_t dpi) {
    ChangeTempDPI([dpi](StageRecord& record) { record.dpiY = dpi; });
}

void CMouseProfile::SetTempSeparateAxes(bool on) {
    ChangeTempDPI([on](StageRecord& record) { record.separateAxes = on ? 1 : 0; });
}

void CMouseProfile::SetDPIRange(uint32_t min, uint32_t max, uint32_t step) {
    m_dpiMin = min;
    m_dpiMax = max;
    m_dpiStep = step;
}

bool CMouseProfile::GetDPIRange(uint32_t& min, uint32_t& max, uint32_t& step) const {
    min = m_dpiMin;
    max = m_dpiMax;
    step = m_dpiStep;
    return true;
}

bool CMouseProfile::SetButtonAssignment(tMouseButton button, const AssignmentRecord& record) {
    if (!IsAssignmentAllowed(record.kind, button)) {
        return false;
    }
    m_buttonAssignments[button] = record;
    m_catButtonAssignments[button].Set(record);
    return true;
}

AssignmentRecord CMouseProfile::GetButtonAssignment(tMouseButton button) {
    return m_catButtonAssignments[button].Get();
}

bool CMouseProfile::HasClickAssignment() const {
    const auto isClick = [](const auto& entry) { return entry.second.Get().kind == AT_CLICK; };
    if (std::any_of(m_catButtonAssignments.begin(), m_catButtonAssignments.end(), isClick)) {
        return true;
    }
    const CCatKeyAssignMap& keys = TrackedKeyAssignments();
    return GetKeyAssignmentsInUse() && std::any_of(keys.begin(), keys.end(), isClick);
}

bool CMouseProfile::IsButtonAssignmentModified(bool all, tMouseButton button) const {
    return all || m_catButtonAssignments.IsElementModified(button);
}

bool CMouseProfile::IsElementModified(int type, int index) const {
    switch (type) {
    case CAT_DPI_STAGE:
        return m_catStages.IsElementModified(index);
    case CAT_KEY_ASSIGNMENTS:
        return IsKeyAssignmentModified(index);
    default:
        return true;
    }
}

void CMouseProfile::CopyFrom(const CMouseProfile& other) {
    if (&other == this) {
        return;
    }
    CopyBaseFrom(other);

    m_dpiOSD = other.m_dpiOSD;
    m_catDPIOSD.Set(other.m_catDPIOSD.Get());
    m_dpiMin = other.m_dpiMin;
    m_dpiMax = other.m_dpiMax;
    m_dpiStep = other.m_dpiStep;
    m_maxStages = other.m_maxStages;
    m_stageCount = other.m_stageCount;
    m_catStageCount.Set(other.m_catStageCount.Get());
    m_sensitivity = other.m_sensitivity;
    m_catSensitivity.Set(other.m_catSensitivity.Get());
    m_tempDPI = other.m_tempDPI;
    m_catTempDPI.Set(other.m_catTempDPI.Get());

    SetMaxDPIStages(other.m_maxStages);
    for (size_t i = 0; i < m_stages.size() && i < other.m_stages.size(); ++i) {
        m_stages[i] = other.m_stages[i];
    }
    for (size_t i = 0; i < m_catStages.size() && i < other.m_catStages.size(); ++i) {
        m_catStages[i].Set(other.m_catStages[i].Get());
    }

    m_activeStage = other.m_activeStage;
    m_catActiveStage.Set(other.m_catActiveStage.Get());

    m_buttonAssignments.clear();
    m_catButtonAssignments.clear();
    for (const auto& [button, record] : other.m_buttonAssignments) {
        m_buttonAssignments[button] = record;
        m_catButtonAssignments.insert_or_assign(button, CCatAssnmnt(record));
    }
}
