#include "model/category_registry.h"

void CCategoryRegistry::Register(tCategoryId id, CCategory* value) {
    if (id < 0 || id >= kCategoryIdLimit || m_values[id] != nullptr) {
        return;
    }
    m_values[id] = value;
}

CCategory* CCategoryRegistry::Find(tCategoryId id) const {
    if (id < 0 || id >= kCategoryIdLimit) {
        return nullptr;
    }
    return m_values[id];
}

bool CCategoryRegistry::IsAnyModified() const {
    for (const CCategory* value : m_values) {
        if (value != nullptr && value->IsModified()) {
            return true;
        }
    }
    return false;
}

bool CCategoryRegistry::IsCategoryModified(tCategoryId id) const {
    const CCategory* value = Find(id);
    return value == nullptr || value->IsModified();
}

void CCategoryRegistry::CommitAll() {
    for (CCategory* value : m_values) {
        if (value != nullptr) {
            value->Commit();
        }
    }
}
