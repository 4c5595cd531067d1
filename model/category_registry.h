// The tracked values of a profile or of the configuration, by category id, so a caller can
// ask about one part ("did the DPI stages change?") or about everything at once.
#pragma once

#include "model/category.h"
#include "model/model_types.h"

#include <array>

class CCategoryRegistry {
public:
    // Ids outside 0..32 are ignored, and the first value registered under an id stays.
    void Register(tCategoryId id, CCategory* value);

    CCategory* Find(tCategoryId id) const;
    bool IsAnyModified() const;
    // An id with nothing registered reports modified: nobody can vouch for it.
    bool IsCategoryModified(tCategoryId id) const;
    // In id order.
    void CommitAll();

private:
    std::array<CCategory*, kCategoryIdLimit> m_values{};
};
