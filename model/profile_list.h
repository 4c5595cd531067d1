// The configuration's profiles in list order, which it owns, and the active one.
#pragma once

#include "model/cat_primitive.h"
#include "model/i_mouse_config.h"

#include <memory>
#include <vector>

class CCorvantisRefreshProfile;

template <typename T> class CProfileList : public IMouseConfig {
public:
    ~CProfileList() override = default;

    int GetProfileCount() const override { return static_cast<int>(m_profiles.size()); }
    IMouseProfile* GetProfile(int index) const override { return ProfileAt(index); }
    IMouseProfile* FindProfileByGUID(const GUID& guid) const override;
    // Profile names compare ignoring case here, as users type them.
    IMouseProfile* FindProfileByName(std::u16string_view name) const override;
    IMouseProfile* GetActiveProfile() const override { return m_active; }
    // Only a profile of this list (or null) can become active.
    void SetActiveProfile(IMouseProfile* profile) override;
    void DeleteAllProfiles() override;
    IMouseProfile* AddCopyOfProfile(IMouseProfile* profile) override;
    IMouseProfile* RenameProfile(IMouseProfile* profile, std::u16string_view name) override;
    IMouseProfile* CopyProfileAs(IMouseProfile* profile, std::u16string_view name) override;
    void DeleteProfile(IMouseProfile* profile) override;
    void SetProfileOSDAll(bool on) override;

    T* ProfileAt(int index) const;
    T* ActiveProfile() const { return m_active; }
    // The list's own object for an interface pointer; null for a profile of another list.
    T* Owned(const IMouseProfile* profile) const;
    T* AppendProfile(std::unique_ptr<T> profile);

protected:
    CProfileList() = default;

    bool AnyProfileModified() const;
    // Changes only the plain active profile; the tracked one keeps what the mouse agreed to.
    void SetActivePlain(T* profile) { m_active = profile; }

    CCatPtr<T> m_catActive;

private:
    std::unique_ptr<T> MakeCopy(const IMouseProfile& source) const;
    void MakeActive(T* profile);

    std::vector<std::unique_ptr<T>> m_profiles;
    T* m_active = nullptr;
};

extern template class CProfileList<CCorvantisRefreshProfile>;
