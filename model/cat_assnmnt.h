// A tracked assignment record. Every payload byte takes part in the comparison, which is
// why writers keep the bytes a kind does not use at zero.
#pragma once

#include "model/category.h"
#include "model/model_types.h"

class CCatAssnmnt : public CCategory {
public:
    // Current and committed both "no assignment": not modified.
    CCatAssnmnt() = default;
    // Current is `value`, committed stays "no assignment", so a new element made from a
    // value reports modified until it is committed.
    explicit CCatAssnmnt(const AssignmentRecord& value) : m_current(value) {}

    const AssignmentRecord& Get() const { return m_current; }
    void Set(const AssignmentRecord& value) { m_current = value; }
    const AssignmentRecord& Committed() const { return m_committed; }

    bool IsModified() const override;
    void Commit() override { m_committed = m_current; }

private:
    AssignmentRecord m_current;
    AssignmentRecord m_committed;
};
