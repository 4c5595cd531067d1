#include "model/cat_macro_list.h"

#include "platform/text/compare.h"

#include <algorithm>

CMacro* CCatMacroList::At(int index) const {
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return (*this)[static_cast<size_t>(index)].Get();
}

CMacro* CCatMacroList::FindByName(std::u16string_view name) const {
    for (const CCatMacro& entry : *this) {
        if (plat::EqualsNoCase(entry.Get()->GetName(), name)) {
            return entry.Get();
        }
    }
    return nullptr;
}

CMacro* CCatMacroList::FindById(const GUID& id) const {
    for (const CCatMacro& entry : *this) {
        if (entry.Get()->GetId() == id) {
            return entry.Get();
        }
    }
    return nullptr;
}

CMacro* CCatMacroList::Add(std::u16string_view name) {
    // Compare the name as it will be stored, or two over-long names that share their first
    // units would both be accepted and end up equal.
    const std::u16string stored = CMacro::LimitName(name);
    if (FindByName(stored) != nullptr) {
        return nullptr;
    }
    auto& entry = emplace_back(std::make_unique<CMacro>(stored));
    return entry.Get();
}

bool CCatMacroList::Remove(const CMacro* macro) {
    const auto it =
        std::find_if(begin(), end(), [macro](const CCatMacro& entry) { return entry.Get() == macro; });
    if (it == end()) {
        return false;
    }
    erase(it);
    return true;
}
