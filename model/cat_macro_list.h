// The configuration's macros in creation (or reading) order, each owned by its tracked
// value, with the lookups the pages and the device object use.
#pragma once

#include "model/cat_macro.h"
#include "model/cat_vec.h"

#include <string_view>

class CCatMacroList : public CCatVec<CCatMacro> {
public:
    int Count() const { return static_cast<int>(size()); }
    // Null when the index is out of range.
    CMacro* At(int index) const;
    // Names compare ignoring case.
    CMacro* FindByName(std::u16string_view name) const;
    // The first macro with the id; the null id finds the first macro not yet stored.
    CMacro* FindById(const GUID& id) const;
    // Null when a macro of that name (as it would be stored) exists; otherwise a new macro
    // with the name, the null id and no events, appended at the end.
    CMacro* Add(std::u16string_view name);
    // Removes the macro's entry and frees the macro; false when it is not in the list.
    bool Remove(const CMacro* macro);
};
