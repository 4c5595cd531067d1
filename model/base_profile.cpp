#include "model/base_profile.h"

#include "platform/text/format.h"
#include "platform/text/path.h"

#include <algorithm>

namespace {

// Path parts longer than this are cut, as fixed path-part buffers would cut them.
constexpr size_t kMaxPathPart = 256;

template <typename Map, typename T> T TrackedOr(const Map& map, tLEDType zone, T fallback) {
    const auto it = map.find(zone);
    return it == map.end() ? fallback : it->second.Get();
}

} // namespace

CBaseProfile::CBaseProfile(std::u16string_view name) : m_name(name) {
    m_catName.Set(name);
    Register(1, &m_catKeyAssignments);
    Register(3, &m_catLedState);
    Register(4, &m_catLedColour);
    Register(5, &m_catLedBrightness);
    Register(6, &m_catLedEffect);
    Register(23, &m_catGuid);
    Register(24, &m_catName);
    Register(25, &m_catApplicationName);
    Register(26, &m_catApplicationLink);
    Register(27, &m_catProfileOSD);
    Register(29, &m_catKeyAssignmentsInUse);
}

int CBaseProfile::GetKeyAssignmentCount() const {
    return static_cast<int>(m_catKeyAssignments.size());
}

void CBaseProfile::SetName(std::u16string_view name) {
    m_name.assign(name);
    m_catName.Set(name);
}

void CBaseProfile::SetGUID(const GUID& guid) {
    m_guid = guid;
    m_catGuid.Set(guid);
}

void CBaseProfile::SetApplicationName(std::u16string_view name) {
    m_applicationName.assign(name);
    m_catApplicationName.Set(name);
}

void CBaseProfile::SetApplicationPath(std::u16string_view path) {
    m_applicationPath.assign(path);
    const plat::PathParts parts = plat::SplitPath(path);
    const std::u16string_view name = std::u16string_view(parts.name).substr(0, kMaxPathPart);
    const std::u16string_view extension = std::u16string_view(parts.extension).substr(0, kMaxPathPart);
    SetApplicationName(plat::Format(u"%s%s", name, extension));
}

LightingRecord& CBaseProfile::PlainLight(tLEDType zone) {
    return m_lighting.try_emplace(zone).first->second;
}

void CBaseProfile::SetLedState(tLEDType zone, bool on) {
    m_catLedState[zone].Set(on);
    PlainLight(zone).on = on;
}

bool CBaseProfile::GetLedState(tLEDType zone) const {
    return TrackedOr(m_catLedState, zone, false);
}

void CBaseProfile::SetLedColour(tLEDType zone, uint32_t colour) {
    m_catLedColour[zone].Set(colour);
    PlainLight(zone).colour = colour;
}

uint32_t CBaseProfile::GetLedColour(tLEDType zone) const {
    return TrackedOr(m_catLedColour, zone, 0u);
}

void CBaseProfile::SetLedEffect(tLEDType zone, tLEDEffect effect) {
    m_catLedEffect[zone].Set(effect);
    PlainLight(zone).effect = effect;
}

tLEDEffect CBaseProfile::GetLedEffect(tLEDType zone) const {
    return TrackedOr(m_catLedEffect, zone, 0);
}

void CBaseProfile::SetLedBrightness(tLEDType zone, uint32_t percent) {
    percent = std::min(percent, kMaxBrightness);
    m_catLedBrightness[zone].Set(percent);
    PlainLight(zone).brightness = percent;
}

uint32_t CBaseProfile::GetLedBrightness(tLEDType zone) const {
    return TrackedOr(m_catLedBrightness, zone, 0u);
}

bool CBaseProfile::SetKeyAssignment(int32_t key, const AssignmentRecord& record) {
    if (!IsAssignmentAllowed(record.kind, MB_NULL)) {
        return false;
    }
    m_keyAssignments[key] = record;
    m_catKeyAssignments.insert_or_assign(key, CCatAssnmnt(record));
    return true;
}

AssignmentRecord CBaseProfile::GetKeyAssignment(int32_t key) {
    return m_catKeyAssignments[key].Get();
}

void CBaseProfile::SetKeyAssignmentsInUse(bool on) {
    m_keyAssignmentsInUse = on;
    m_catKeyAssignmentsInUse.Set(on);
}

bool CBaseProfile::IsLedModified(int type, tLEDType zone) const {
    switch (type) {
    case 3:
        return m_catLedState.IsElementModified(zone);
    case 4:
        return m_catLedColour.IsElementModified(zone);
    case 5:
        return m_catLedBrightness.IsElementModified(zone);
    case 6:
        return m_catLedEffect.IsElementModified(zone);
    default:
        return true;
    }
}

void CBaseProfile::CopyBaseFrom(const CBaseProfile& other) {
    m_name = other.m_name;
    m_catName.Set(other.m_catName.Get());
    m_applicationName = other.m_applicationName;
    m_catApplicationName.Set(other.m_catApplicationName.Get());
    m_applicationPath = other.m_applicationPath;
    m_filePath = other.m_filePath;
    m_applicationLink = other.m_applicationLink;
    m_catApplicationLink.Set(other.m_catApplicationLink.Get());
    m_profileOSD = other.m_profileOSD;
    m_catProfileOSD.Set(other.m_catProfileOSD.Get());
    m_guid = other.m_guid;
    m_catGuid.Set(other.m_catGuid.Get());

    m_keyAssignments.clear();
    m_catKeyAssignments.clear();
    for (const auto& [key, record] : other.m_keyAssignments) {
        m_keyAssignments[key] = record;
        m_catKeyAssignments.insert_or_assign(key, CCatAssnmnt(record));
    }

    m_lighting.clear();
    for (const auto& [zone, light] : other.m_lighting) {
        m_lighting[zone] = light;
        m_catLedState[zone].Set(light.on);
        m_catLedColour[zone].Set(light.colour);
        m_catLedEffect[zone].Set(light.effect);
        m_catLedBrightness[zone].Set(light.brightness);
    }

    m_keyAssignmentsInUse = other.m_keyAssignmentsInUse;
    m_catKeyAssignmentsInUse.Set(other.m_catKeyAssignmentsInUse.Get());
}
