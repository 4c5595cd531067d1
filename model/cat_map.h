// Tracked maps: an ordered map whose elements are tracked values, tracked as a whole.
// Removing an element is not a change by itself; only the elements present are asked.
#pragma once

#include "model/cat_assnmnt.h"
#include "model/cat_primitive.h"
#include "model/category.h"

#include <map>

template <typename K, typename V> class CCatMap : public CCategory, public std::map<K, V> {
public:
    bool IsModified() const override {
        for (const auto& entry : *this) {
            if (entry.second.IsModified()) {
                return true;
            }
        }
        return false;
    }

    void Commit() override {
        for (auto& entry : *this) {
            entry.second.Commit();
        }
    }

    // The element's state; an absent key counts as modified, because the mouse has never
    // agreed to anything for it.
    bool IsElementModified(const K& key) const {
        const auto it = this->find(key);
        return it == this->end() || it->second.IsModified();
    }
};

class CCatMouseBtnAssignMap : public CCatMap<tMouseButton, CCatAssnmnt> {};
class CCatKeyAssignMap : public CCatMap<int32_t, CCatAssnmnt> {};
class CCatLedAssignMap : public CCatMap<int32_t, CCatAssnmnt> {};
class CCatLedStateMap : public CCatMap<tLEDType, CCatLedState> {};
class CCatLedColourMap : public CCatMap<tLEDType, CCatLedColour> {};
class CCatLedEffectMap : public CCatMap<tLEDType, CCatLedEffect> {};
class CCatLedBrightPercentMap : public CCatMap<tLEDType, CCatLedBrightPercent> {};
