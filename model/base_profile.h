// The part of a profile every mouse has: identity, the linked application, key
// assignments, lighting, and the registry of tracked values with its queries.
#pragma once

#include "model/cat_guid.h"
#include "model/cat_map.h"
#include "model/cat_primitive.h"
#include "model/cat_string.h"
#include "model/category_registry.h"
#include "model/i_mouse_profile.h"

#include <map>

// One light as readers and the device writer see it.
struct LightingRecord {
    bool on = false;
    uint32_t colour = 0;
    tLEDEffect effect = 0;
    uint32_t brightness = 100; // percent

    friend bool operator==(const LightingRecord&, const LightingRecord&) = default;
};

class CBaseProfile : public IMouseProfile {
public:
    static constexpr uint32_t kMaxBrightness = 100;

    CBaseProfile(const CBaseProfile&) = delete;
    CBaseProfile& operator=(const CBaseProfile&) = delete;
    ~CBaseProfile() override = default;

    int GetKeyAssignmentCount() const override;
    void Reserved5() override {}
    const std::u16string& GetName() const override { return m_catName.Get(); }
    GUID GetGUID() const override { return m_catGuid.Get(); }
    bool HasFilePath() const override { return !m_filePath.empty(); }
    void SetName(std::u16string_view name) override;
    void SetGUID(const GUID& guid) override;
    const std::u16string& GetApplicationName() const override { return m_catApplicationName.Get(); }
    void SetApplicationName(std::u16string_view name) override;
    const std::u16string& GetFilePath() const override { return m_filePath; }
    const std::u16string& GetApplicationPath() const override { return m_applicationPath; }
    void SetApplicationPath(std::u16string_view path) override;
    // The two flags below change only the plain value; their tracked twins follow copies.
    void SetApplicationLink(bool on) override { m_applicationLink = on; }
    bool GetApplicationLink() const override { return m_applicationLink; }
    void SetProfileOSD(bool on) override { m_profileOSD = on; }
    bool GetProfileOSD() const override { return m_profileOSD; }

    void SetLedState(tLEDType zone, bool on) override;
    bool GetLedState(tLEDType zone) const override;
    void SetLedColour(tLEDType zone, uint32_t colour) override;
    uint32_t GetLedColour(tLEDType zone) const override;
    void SetLedEffect(tLEDType zone, tLEDEffect effect) override;
    tLEDEffect GetLedEffect(tLEDType zone) const override;
    void SetLedBrightness(tLEDType zone, uint32_t percent) override;
    uint32_t GetLedBrightness(tLEDType zone) const override;
    void Reserved58(int) override {}
    int Reserved59() const override { return 0; }

    // Every set replaces the tracked element, so a key reports modified after each set
    // until the next commit, even when the record did not change.
    bool SetKeyAssignment(int32_t key, const AssignmentRecord& record) override;
    AssignmentRecord GetKeyAssignment(int32_t key) override;
    void SetKeyAssignmentsInUse(bool on) override;
    bool GetKeyAssignmentsInUse() const override { return m_keyAssignmentsInUse; }

    void Reserved69(int, int) override {}
    bool Reserved70() const override { return false; }
    bool SaveToFile(std::u16string_view, std::u16string_view, std::u16string_view) override { return false; }
    bool LoadFromFile(std::u16string_view, std::u16string_view, std::u16string_view) override {
        return false;
    }

    bool IsLedModified(int type, tLEDType zone) const override;
    bool IsCategoryModified(tCategoryId id) const override { return m_registry.IsCategoryModified(id); }
    bool IsAnyModified() const override { return m_registry.IsAnyModified(); }
    void CommitAll() override { m_registry.CommitAll(); }

    // The lights in zone order, for writers that walk every zone.
    const std::map<tLEDType, LightingRecord>& Lighting() const { return m_lighting; }
    // The key assignments in key order.
    const std::map<int32_t, AssignmentRecord>& KeyAssignments() const { return m_keyAssignments; }

protected:
    explicit CBaseProfile(std::u16string_view name);

    // Identity, application, key assignments and lighting, from the other's current values.
    void CopyBaseFrom(const CBaseProfile& other);
    bool IsKeyAssignmentModified(int32_t key) const { return m_catKeyAssignments.IsElementModified(key); }
    const CCatKeyAssignMap& TrackedKeyAssignments() const { return m_catKeyAssignments; }
    void Register(tCategoryId id, CCategory* value) { m_registry.Register(id, value); }

private:
    LightingRecord& PlainLight(tLEDType zone);

    std::u16string m_name;
    CCatString m_catName;
    GUID m_guid{};
    CCatGUID m_catGuid;
    std::u16string m_applicationPath;
    std::u16string m_applicationName;
    CCatString m_catApplicationName;
    std::u16string m_filePath;
    bool m_applicationLink = false;
    CCatBool m_catApplicationLink;
    bool m_profileOSD = true;
    CCatBool m_catProfileOSD;
    bool m_keyAssignmentsInUse = true;
    CCatBool m_catKeyAssignmentsInUse;

    std::map<int32_t, AssignmentRecord> m_keyAssignments;
    CCatKeyAssignMap m_catKeyAssignments;

    std::map<tLEDType, LightingRecord> m_lighting;
    CCatLedStateMap m_catLedState;
    CCatLedColourMap m_catLedColour;
    CCatLedBrightPercentMap m_catLedBrightness;
    CCatLedEffectMap m_catLedEffect;

    CCategoryRegistry m_registry;
};
