// The tracked value of one macro: it owns the live macro and keeps the copy last agreed
// with the mouse.
#pragma once

#include "model/category.h"
#include "model/macro.h"

#include <memory>

class CCatMacro : public CCategory {
public:
    // A new macro compares against an empty, id-less one, so it counts as modified.
    explicit CCatMacro(std::unique_ptr<CMacro> live) : m_live(std::move(live)) {}

    CMacro* Get() const { return m_live.get(); }
    const CMacro& Committed() const { return m_saved; }

    bool IsModified() const override { return !(*m_live == m_saved); }
    void Commit() override { m_saved = *m_live; }

private:
    std::unique_ptr<CMacro> m_live;
    CMacro m_saved;
};
