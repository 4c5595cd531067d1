// A tracked text. Letter case counts: renaming "profile" to "Profile" is a change.
#pragma once

#include "model/category.h"

#include <string>
#include <string_view>

class CCatString : public CCategory {
public:
    CCatString() = default;
    explicit CCatString(std::u16string_view initial) : m_current(initial), m_committed(initial) {}

    const std::u16string& Get() const { return m_current; }
    void Set(std::u16string_view value) { m_current.assign(value); }
    const std::u16string& Committed() const { return m_committed; }

    bool IsModified() const override { return m_current != m_committed; }
    void Commit() override { m_committed = m_current; }

private:
    std::u16string m_current;
    std::u16string m_committed;
};
