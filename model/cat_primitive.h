// Tracked values over one plain value, compared with ==, and their named instances.
#pragma once

#include "model/category.h"
#include "model/model_types.h"

#include <cstdint>

template <typename T> class CCatPrimitive : public CCategory {
public:
    CCatPrimitive() = default;
    // Current and committed both start at `initial`.
    explicit CCatPrimitive(T initial) : m_current(initial), m_committed(initial) {}

    T Get() const { return m_current; }
    void Set(T value) { m_current = value; }
    T Committed() const { return m_committed; }

    bool IsModified() const override { return !(m_current == m_committed); }
    void Commit() override { m_committed = m_current; }

private:
    T m_current{};
    T m_committed{};
};

class CCatInt : public CCatPrimitive<int32_t> {
public:
    using CCatPrimitive::CCatPrimitive;
};

class CCatUInt : public CCatPrimitive<uint32_t> {
public:
    using CCatPrimitive::CCatPrimitive;
};

class CCatBool : public CCatPrimitive<bool> {
public:
    using CCatPrimitive::CCatPrimitive;
};

class CCatColour : public CCatPrimitive<uint32_t> {
public:
    using CCatPrimitive::CCatPrimitive;
};

// Starts at -1: the polling rate is unknown until the mouse has been read.
class CCatPollingRate : public CCatPrimitive<tPollingRate> {
public:
    CCatPollingRate() : CCatPrimitive(-1) {}
    using CCatPrimitive::CCatPrimitive;
};

class CCatLedEffect : public CCatPrimitive<tLEDEffect> {
public:
    using CCatPrimitive::CCatPrimitive;
};

class CCatLedState : public CCatBool {
public:
    using CCatBool::CCatBool;
};

class CCatLedColour : public CCatColour {
public:
    using CCatColour::CCatColour;
};

class CCatLedBrightPercent : public CCatUInt {
public:
    using CCatUInt::CCatUInt;
};

// Tracks which object is meant, not what it holds: a different object is a change even
// when its contents are equal.
template <typename T> class CCatPtr : public CCatPrimitive<T*> {
public:
    CCatPtr() : CCatPrimitive<T*>(nullptr) {}
    using CCatPrimitive<T*>::CCatPrimitive;
};
