// Tracked vectors: a vector whose elements are tracked values, tracked as a whole, in
// index order. Removing an element is not a change by itself.
#pragma once

#include "model/cat_dpi_stage.h"
#include "model/cat_kv_app.h"
#include "model/category.h"

#include <vector>

template <typename T> class CCatVec : public CCategory, public std::vector<T> {
public:
    bool IsModified() const override {
        for (const T& element : *this) {
            if (element.IsModified()) {
                return true;
            }
        }
        return false;
    }

    void Commit() override {
        for (T& element : *this) {
            element.Commit();
        }
    }

    // An index outside the vector counts as modified.
    bool IsElementModified(int index) const {
        return index < 0 || static_cast<size_t>(index) >= this->size() || (*this)[index].IsModified();
    }
};

class CCatDPIStagesVec : public CCatVec<CCatDPIStage> {};
class CCatKvAppList : public CCatVec<CCatKvApp> {};
