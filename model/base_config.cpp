#include "model/base_config.h"

#include "model/category_id.h"
#include "model/corvantis_refresh_profile.h"
#include "model/range_clamp.h"
#include "platform/text/compare.h"

#include <algorithm>

template <typename T> CBaseConfig<T>::CBaseConfig() {
    Register(CAT_GLOBAL_ASSIGNMENTS, &m_catGlobalAssignments);
    Register(CAT_REDUCED_BRIGHTNESS, &m_catReducedBrightness);
    Register(CAT_MACROS, &m_catMacros);
    Register(CAT_APPLICATIONS, &m_catApplications);
    Register(CAT_FLASH_WARNING_STAGE, &m_catFlashWarningStage);
    Register(CAT_IDLE_TIME, &m_catIdleTime);
    Register(CAT_ACTIVE_PROFILE, &this->m_catActive);
}

template <typename T> CKvApp* CBaseConfig<T>::AddApplication(std::u16string_view name) {
    if (FindApplicationByName(name) != nullptr) {
        return nullptr;
    }
    auto app = std::make_unique<CKvApp>();
    app->name.assign(name);
    CKvApp* live = m_applications.emplace_back(std::move(app)).get();
    m_catApplications.emplace_back(live);
    return live;
}

template <typename T> void CBaseConfig<T>::RemoveApplication(CKvApp* app) {
    std::erase_if(m_catApplications, [app](const CCatKvApp& entry) { return entry.Get() == app; });
    std::erase_if(m_applications, [app](const auto& owned) { return owned.get() == app; });
}

template <typename T> CKvApp* CBaseConfig<T>::FindApplicationByGUID(const GUID& guid) const {
    for (const auto& app : m_applications) {
        if (app->profileGuid == guid) {
            return app.get();
        }
    }
    return nullptr;
}

template <typename T> CKvApp* CBaseConfig<T>::FindApplicationByName(std::u16string_view name) const {
    for (const auto& app : m_applications) {
        if (plat::EqualsNoCase(app->name, name)) {
            return app.get();
        }
    }
    return nullptr;
}

template <typename T> CKvApp* CBaseConfig<T>::GetApplication(int index) const {
    if (index < 0 || index >= GetApplicationCount()) {
        return nullptr;
    }
    return m_applications[static_cast<size_t>(index)].get();
}

template <typename T> bool CBaseConfig<T>::SetGlobalAssignment(int32_t key, const AssignmentRecord& record) {
    if (record.kind != kGlobalAssignmentKind) {
        return false;
    }
    m_globalAssignments[key] = record;
    m_catGlobalAssignments.insert_or_assign(key, CCatAssnmnt(record));
    return true;
}

template <typename T> int32_t CBaseConfig<T>::GetGlobalAssignmentKey(int n) const {
    if (n < 0 || n >= GetGlobalAssignmentCount()) {
        return 0;
    }
    return std::next(m_catGlobalAssignments.begin(), n)->first;
}

template <typename T> bool CBaseConfig<T>::SetPowerEntryValue(int index, uint32_t value) {
    if (index < 0 || index >= GetPowerEntryCount()) {
        return false;
    }
    m_powerEntries[static_cast<size_t>(index)].value = value;
    return true;
}

template <typename T> bool CBaseConfig<T>::SetPowerEntryValues(int index, uint32_t second, uint32_t key) {
    if (index < 0 || index >= GetPowerEntryCount()) {
        return false;
    }
    CAPM& entry = m_powerEntries[static_cast<size_t>(index)];
    entry.second = second;
    entry.key = key;
    return true;
}

template <typename T> bool CBaseConfig<T>::GetPowerEntryValue(int index, uint32_t& value) const {
    if (index < 0 || index >= GetPowerEntryCount()) {
        return false;
    }
    value = m_powerEntries[static_cast<size_t>(index)].value;
    return true;
}

template <typename T>
bool CBaseConfig<T>::GetPowerEntryValues(int index, uint32_t& second, uint32_t& key) const {
    if (index < 0 || index >= GetPowerEntryCount()) {
        return false;
    }
    const CAPM& entry = m_powerEntries[static_cast<size_t>(index)];
    second = entry.second;
    key = entry.key;
    return true;
}

template <typename T> bool CBaseConfig<T>::AddPowerEntry(uint32_t value, uint32_t second, uint32_t key) {
    const bool exists = std::any_of(m_powerEntries.begin(), m_powerEntries.end(),
                                    [key](const CAPM& entry) { return entry.key == key; });
    if (exists) {
        return false;
    }
    m_powerEntries.push_back(CAPM{value, second, key});
    return true;
}

template <typename T> void CBaseConfig<T>::SetFlashWarningRangeDefault() {
    m_flashWarningMin = 0;
    m_flashWarningMax = 3;
}

template <typename T> void CBaseConfig<T>::SetSecondFlashWarningValue(uint32_t value) {
    m_secondFlashWarning = ClampToRange(value, m_flashWarningMin, m_flashWarningMax);
}

template <typename T> void CBaseConfig<T>::SetFlashWarningStage(uint32_t value) {
    m_flashWarningStage = ClampToRange(value, m_flashWarningMin, m_flashWarningMax);
    m_catFlashWarningStage.Set(m_flashWarningStage);
}

template <typename T> void CBaseConfig<T>::SetIdleTime(uint32_t seconds) {
    m_idleTime = seconds;
    m_catIdleTime.Set(seconds);
}

template <typename T> void CBaseConfig<T>::SetReducedBrightness(uint32_t percent) {
    m_reducedBrightness = std::min(percent, kMaxReducedBrightness);
    m_catReducedBrightness.Set(m_reducedBrightness);
}

template <typename T> bool CBaseConfig<T>::IsElementModified(int type, int index) const {
    switch (type) {
    case CAT_MACRO:
        return m_catMacros.IsElementModified(index);
    case CAT_APPLICATION:
        return m_catApplications.IsElementModified(index);
    default:
        return true;
    }
}

template <typename T> bool CBaseConfig<T>::IsAnyModified(IMouseProfile* profile) const {
    if (profile != nullptr) {
        return profile->IsAnyModified();
    }
    return m_registry.IsAnyModified() || this->AnyProfileModified();
}

template class CBaseConfig<CCorvantisRefreshProfile>;
