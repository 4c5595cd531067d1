#include "model/macro.h"

#include "platform/text/compare.h"

CMacro& CMacro::operator=(const CMacro& other) {
    if (this != &other) {
        m_name = other.m_name;
        m_id = other.m_id;
        m_events = other.m_events;
    }
    return *this;
}

std::u16string CMacro::LimitName(std::u16string_view name) {
    if (name.size() <= kMaxNameLength) {
        return std::u16string(name);
    }
    size_t length = kMaxNameLength;
    const char16_t last = name[length - 1];
    if (last >= 0xD800 && last <= 0xDBFF) {
        --length; // keep the pair whole by dropping its first half
    }
    return std::u16string(name.substr(0, length));
}

void CMacro::SetName(std::u16string_view name) {
    m_name = LimitName(name);
}

bool operator==(const CMacro& a, const CMacro& b) {
    return a.m_id == b.m_id && a.m_events == b.m_events && plat::EqualsNoCase(a.m_name, b.m_name);
}
