// A tracked GUID: the identity the device service gave a profile.
#pragma once

#include "model/category.h"
#include "model/model_types.h"

class CCatGUID : public CCategory {
public:
    const GUID& Get() const { return m_current; }
    void Set(const GUID& value) { m_current = value; }
    const GUID& Committed() const { return m_committed; }

    bool IsModified() const override { return !(m_current == m_committed); }
    void Commit() override { m_committed = m_current; }

private:
    GUID m_current{};
    GUID m_committed{};
};
