// Classes in this file:
//   CCatMap<K,V> - a map of tracked values that is itself tracked.
#pragma once

#include "CCatAssnmnt.h"
#include "CCatPrimitive.h"
#include "CCategory.h"
#include "KeypadTypes.h"

#include <map>

// Changed when any value is changed; removing an entry is not seen as a change.
template <typename K, typename V>
class CCatMap : public CCategory, public std::map<K, V>
{
public:
    bool IsChanged() const override
    {
        for (const auto& entry : *this) {
            if (entry.second.IsChanged())
                return true;
        }
        return false;
    }

    void Accept() override
    {
        for (auto& entry : *this)
            entry.second.Accept();
    }

    // Each entry takes the accepted value of the other's entry of the same key; entries
    // only one side has are left alone.
    void AcceptFrom(const CCatMap& other)
    {
        for (auto& entry : *this) {
            auto found = other.find(entry.first);
            if (found != other.end())
                entry.second.AcceptFrom(found->second);
        }
    }

    // A key with no entry answers true.
    bool IsItemChanged(const K& key) const
    {
        auto found = this->find(key);
        return found == this->end() || found->second.IsChanged();
    }
};

using CCatKeyAssignMap = CCatMap<int, CCatAssnmnt>;
using CCatLedAssignMap = CCatMap<int, CCatAssnmnt>;
using CCatKeypadBtnAssignMap = CCatMap<tKeypadButton, CCatAssnmnt>;
using CCatLedStateMap = CCatMap<tLEDType, CCatLedState>;
using CCatLedColourMap = CCatMap<tLEDType, CCatLedColour>;
using CCatLedEffectMap = CCatMap<tLEDType, CCatLedEffect>;
using CCatLedBrightPercentMap = CCatMap<tLEDType, CCatLedBrightPercent>;
