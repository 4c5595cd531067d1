// The step rule the read and the write share: a step runs only when the model has its
// feature and the transfer's mask asks for it, and once a step has failed the later ones
// are skipped (progress and the final commit still happen around them).
#pragma once

#include "device/mouse_model_table.h"

#include <cstdint>
#include <functional>

class CTransferSteps {
public:
    explicit CTransferSteps(const MouseModelEntry& model) : m_model(model) {}

    void Begin(uint32_t mask) {
        m_mask = mask;
        m_ok = true;
    }
    bool Wants(int capability, uint32_t bits) const {
        return m_model.Has(capability) && (m_mask & bits) != 0;
    }
    void Step(int capability, uint32_t bits, const std::function<bool()>& step) {
        if (m_ok && Wants(capability, bits)) {
            m_ok = step();
        }
    }
    // Records the outcome of work done outside Step.
    void Record(bool ok) { m_ok = m_ok && ok; }
    void Fail() { m_ok = false; }
    bool Ok() const { return m_ok; }

private:
    const MouseModelEntry& m_model;
    uint32_t m_mask = 0;
    bool m_ok = true;
};
