// The configuration-wide parts that every mouse has: macros, applications, the
// configuration-wide assignments, the power settings, and the registry of tracked values.
#pragma once

#include "model/apm.h"
#include "model/cat_macro_list.h"
#include "model/cat_map.h"
#include "model/category_registry.h"
#include "model/profile_list.h"

#include <map>

template <typename T> class CBaseConfig : public CProfileList<T> {
public:
    // The one kind the configuration-wide map accepts.
    static constexpr tAssignType kGlobalAssignmentKind = 77;
    static constexpr uint32_t kMaxReducedBrightness = 255;

    int GetMacroCount() const override { return m_catMacros.Count(); }
    CMacro* AddMacro(std::u16string_view name) override { return m_catMacros.Add(name); }
    void RemoveMacro(CMacro* macro) override { m_catMacros.Remove(macro); }
    CMacro* FindMacroByGUID(const GUID& guid) const override { return m_catMacros.FindById(guid); }
    CMacro* FindMacroByName(std::u16string_view name) const override { return m_catMacros.FindByName(name); }
    CMacro* GetMacro(int index) const override { return m_catMacros.At(index); }
    void Reserved104() override {}
    bool Reserved105() const override { return false; }
    void Reserved106() override {}
    bool Reserved107() const override { return false; }

    int GetApplicationCount() const override { return static_cast<int>(m_applications.size()); }
    CKvApp* AddApplication(std::u16string_view name) override;
    void RemoveApplication(CKvApp* app) override;
    CKvApp* FindApplicationByGUID(const GUID& guid) const override;
    CKvApp* FindApplicationByName(std::u16string_view name) const override;
    CKvApp* GetApplication(int index) const override;

    void Reserved114(int, int, int) override {}
    bool Reserved115() const override { return false; }
    void Reserved116() override {}
    int Reserved117() const override { return 0; }
    void Reserved118() override {}
    bool Reserved119() const override { return false; }
    void Reserved120() override {}
    bool Reserved121() const override { return false; }
    void Reserved122() override {}
    bool Reserved123() const override { return false; }
    void Reserved124() override {}
    int Reserved125() const override { return 0; }
    void Reserved126() override {}
    int Reserved127() const override { return 0; }
    void Reserved128() override {}
    int Reserved129() const override { return 0; }

    int GetGlobalAssignmentCount() const override { return static_cast<int>(m_catGlobalAssignments.size()); }
    bool SetGlobalAssignment(int32_t key, const AssignmentRecord& record) override;
    AssignmentRecord GetGlobalAssignment(int32_t key) override { return m_catGlobalAssignments[key].Get(); }
    int32_t GetGlobalAssignmentKey(int n) const override;

    int GetPowerEntryCount() const override { return static_cast<int>(m_powerEntries.size()); }
    bool SetPowerEntryValue(int index, uint32_t value) override;
    bool SetPowerEntryValues(int index, uint32_t second, uint32_t key) override;
    bool GetPowerEntryValue(int index, uint32_t& value) const override;
    bool GetPowerEntryValues(int index, uint32_t& second, uint32_t& key) const override;
    bool AddPowerEntry(uint32_t value, uint32_t second, uint32_t key) override;
    bool Reserved152() const override { return false; }
    void ClearPowerEntries() override { m_powerEntries.clear(); }
    void SetPowerValue(int32_t value) override { m_powerValue = value; }
    int32_t GetPowerValue() const override { return m_powerValue; }

    void SetFlashWarningRangeDefault() override;
    uint32_t GetFlashWarningMin() const override { return m_flashWarningMin; }
    uint32_t GetFlashWarningMax() const override { return m_flashWarningMax; }
    void SetSecondFlashWarningValue(uint32_t value) override;
    uint32_t GetSecondFlashWarningValue() const override { return m_secondFlashWarning; }
    void SetFlashWarningStage(uint32_t value) override;
    uint32_t GetFlashWarningStage() const override { return m_catFlashWarningStage.Get(); }
    void SetIdleTime(uint32_t seconds) override;
    uint32_t GetIdleTime() const override { return m_catIdleTime.Get(); }
    void SetReducedBrightness(uint32_t percent) override;
    uint32_t GetReducedBrightness() const override { return m_catReducedBrightness.Get(); }

    bool IsElementModified(int type, int index) const override;
    bool IsCategoryModified(tCategoryId id) const override { return m_registry.IsCategoryModified(id); }
    bool IsAnyModified(IMouseProfile* profile) const override;
    void CommitAll() override { m_registry.CommitAll(); }

    // The plain configuration-wide assignments in key order, for the device writer.
    const std::map<int32_t, AssignmentRecord>& GlobalAssignments() const { return m_globalAssignments; }

protected:
    CBaseConfig();

    void Register(tCategoryId id, CCategory* value) { m_registry.Register(id, value); }

private:
    CCatMacroList m_catMacros;

    CKvAppList m_applications;
    CCatKvAppList m_catApplications;

    std::map<int32_t, AssignmentRecord> m_globalAssignments;
    CCatLedAssignMap m_catGlobalAssignments;

    CAPMList m_powerEntries;
    uint32_t m_reducedBrightness = 100;
    CCatUInt m_catReducedBrightness;
    uint32_t m_idleTime = 1;
    CCatUInt m_catIdleTime;
    uint32_t m_flashWarningStage = 0;
    CCatUInt m_catFlashWarningStage;
    uint32_t m_flashWarningMin = 0;
    uint32_t m_flashWarningMax = 1;
    uint32_t m_secondFlashWarning = 0;
    int32_t m_powerValue = -1;

    CCategoryRegistry m_registry;
};

extern template class CBaseConfig<CCorvantisRefreshProfile>;
