#include "model/profile_list.h"

#include "model/corvantis_refresh_profile.h"
#include "platform/text/compare.h"

#include <algorithm>
#include <utility>

template <typename T> T* CProfileList<T>::ProfileAt(int index) const {
    if (index < 0 || index >= GetProfileCount()) {
        return nullptr;
    }
    return m_profiles[static_cast<size_t>(index)].get();
}

template <typename T> T* CProfileList<T>::Owned(const IMouseProfile* profile) const {
    if (profile == nullptr) {
        return nullptr;
    }
    for (const auto& owned : m_profiles) {
        if (static_cast<const IMouseProfile*>(owned.get()) == profile) {
            return owned.get();
        }
    }
    return nullptr;
}

template <typename T> T* CProfileList<T>::AppendProfile(std::unique_ptr<T> profile) {
    m_profiles.push_back(std::move(profile));
    return m_profiles.back().get();
}

template <typename T> IMouseProfile* CProfileList<T>::FindProfileByGUID(const GUID& guid) const {
    for (const auto& profile : m_profiles) {
        if (profile->GetGUID() == guid) {
            return profile.get();
        }
    }
    return nullptr;
}

template <typename T> IMouseProfile* CProfileList<T>::FindProfileByName(std::u16string_view name) const {
    for (const auto& profile : m_profiles) {
        if (plat::EqualsNoCase(profile->GetName(), name)) {
            return profile.get();
        }
    }
    return nullptr;
}

template <typename T> void CProfileList<T>::MakeActive(T* profile) {
    m_active = profile;
    m_catActive.Set(profile);
}

template <typename T> void CProfileList<T>::SetActiveProfile(IMouseProfile* profile) {
    if (profile == nullptr) {
        MakeActive(nullptr);
    } else if (T* owned = Owned(profile)) {
        MakeActive(owned);
    }
}

template <typename T> void CProfileList<T>::DeleteAllProfiles() {
    // The caller picks the new active profile, but until it does the old pointer must not
    // outlive the object it names.
    m_active = nullptr;
    m_catActive.Set(nullptr);
    m_profiles.clear();
}

template <typename T> std::unique_ptr<T> CProfileList<T>::MakeCopy(const IMouseProfile& source) const {
    const auto* mouseProfile = dynamic_cast<const CMouseProfile*>(&source);
    if (mouseProfile == nullptr) {
        return nullptr;
    }
    auto copy = std::make_unique<T>();
    copy->CopyFrom(*mouseProfile);
    return copy;
}

template <typename T> IMouseProfile* CProfileList<T>::AddCopyOfProfile(IMouseProfile* profile) {
    if (profile == nullptr) {
        return nullptr;
    }
    auto copy = MakeCopy(*profile);
    return copy ? AppendProfile(std::move(copy)) : nullptr;
}

template <typename T>
IMouseProfile* CProfileList<T>::RenameProfile(IMouseProfile* profile, std::u16string_view name) {
    if (profile == nullptr || profile->GetName() == name) {
        return nullptr;
    }
    profile->SetName(name);
    auto copy = MakeCopy(*profile);
    const auto it = std::find_if(m_profiles.begin(), m_profiles.end(),
                                 [profile](const auto& owned) { return owned.get() == profile; });
    if (!copy || it == m_profiles.end()) {
        return nullptr;
    }
    // The copy is a new object, so the next write sends it in full; it takes the old
    // profile's place in the list and, when the old one was active, its place as active.
    std::unique_ptr<T> old = std::exchange(*it, std::move(copy));
    if (m_active == old.get()) {
        MakeActive(it->get());
    }
    return it->get();
}

template <typename T>
IMouseProfile* CProfileList<T>::CopyProfileAs(IMouseProfile* profile, std::u16string_view name) {
    if (profile == nullptr || profile->GetName() == name) {
        return nullptr;
    }
    auto copy = MakeCopy(*profile);
    if (!copy) {
        return nullptr;
    }
    copy->SetGUID(GUID{}); // not on the mouse yet
    copy->SetName(name);
    return AppendProfile(std::move(copy));
}

template <typename T> void CProfileList<T>::DeleteProfile(IMouseProfile* profile) {
    if (profile == nullptr) {
        return;
    }
    if (static_cast<IMouseProfile*>(m_active) == profile) {
        MakeActive(nullptr);
    }
    std::erase_if(m_profiles, [profile](const auto& owned) { return owned.get() == profile; });
}

template <typename T> void CProfileList<T>::SetProfileOSDAll(bool on) {
    for (const auto& profile : m_profiles) {
        profile->SetProfileOSD(on);
    }
}

template <typename T> bool CProfileList<T>::AnyProfileModified() const {
    return std::any_of(m_profiles.begin(), m_profiles.end(),
                       [](const auto& p) { return p->IsAnyModified(); });
}

template class CProfileList<CCorvantisRefreshProfile>;
