#include "model/base_profile.h"

#include "model/category_id.h"

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
    Register(CAT_KEY_ASSIGNMENTS, &m_catKeyAssignments);
    Register(CAT_LED_STATE, &m_catLedState);
    Register(CAT_LED_COLOUR, &m_catLedColour);
    Register(CAT_LED_BRIGHTNESS, &m_catLedBrightness);
    Register(CAT_LED_EFFECT, &m_catLedEffect);
    Register(CAT_PROFILE_GUID, &m_catGuid);
    Register(CAT_PROFILE_NAME, &m_catName);
    Register(CAT_APPLICATION_NAME, &m_catApplicationName);
    Register(CAT_APPLICATION_LINK, &m_catApplicationLink);
    Register(CAT_PROFILE_OSD, &m_catProfileOSD);
    Register(CAT_KEY_ASSIGNMENTS_IN_USE, &m_catKeyAssignmentsInUse);
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
    case CAT_LED_STATE:
        return m_catLedState.IsElementModified(zone);
    case CAT_LED_COLOUR:
        return m_catLedColour.IsElementModified(zone);
    case CAT_LED_BRIGHTNESS:
        return m_catLedBrightness.IsElementModified(zone);
    case CAT_LED_EFFECT:
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
