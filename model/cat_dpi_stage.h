// A tracked DPI stage (or the sensitivity record). Only the fields the mouse actually uses
// count: the joint DPI while the axes are joined, X and Y while they are separate.
#pragma once

#include "model/category.h"
#include "model/model_types.h"

class CCatDPIStage : public CCategory {
public:
    const StageRecord& Get() const { return m_current; }
    StageRecord& Current() { return m_current; }
    void Set(const StageRecord& value) { m_current = value; }
    const StageRecord& Committed() const { return m_committed; }

    bool IsModified() const override;
    void Commit() override { m_committed = m_current; }

private:
    StageRecord m_current;
    StageRecord m_committed;
};
