// Classes in this file:
//   CCatVec<T> - a vector of tracked elements that is itself tracked.
#pragma once

#include "CCatKvApp.h"
#include "CCatMacro.h"
#include "CCategory.h"

#include <vector>

// Changed when any element is changed; adding counts only through the new element's own
// state, and removing is not seen as a change.
template <typename T>
class CCatVec : public CCategory, public std::vector<T>
{
public:
    bool IsChanged() const override
    {
        for (const T& element : *this) {
            if (element.IsChanged())
                return true;
        }
        return false;
    }

    void Accept() override
    {
        for (T& element : *this)
            element.Accept();
    }

    // An index with no element answers true.
    bool IsItemChanged(size_t index) const
    {
        return index >= this->size() || (*this)[index].IsChanged();
    }
};

using CCatMacroList = CCatVec<CCatMacro>;
using CCatKvAppList = CCatVec<CCatKvApp>;
