// Classes in this file:
//   CBaseConfig<T> - the tracked parts of a configuration beside its profiles: the active
//   profile, macros, applications, LED assignments, the stage list and a few settings.
#pragma once

#include "CAPMList.h"
#include "CCatMap.h"
#include "CCatPrimitive.h"
#include "CCatVec.h"
#include "CProfileList.h"
#include "CategoryRegistry.h"
#include "ItemLists.h"

#include <map>

template <typename T>
class CBaseConfig : public CProfileList<T>
{
protected:
    // Data members
    T* m_activeProfile = nullptr;
    CCatPtr<T> m_trackedActiveProfile;
    CCatMacroList m_macros;
    CCatKvAppList m_applications;
    std::map<int, CAssignment> m_ledAssignments;
    CCatLedAssignMap m_trackedLedAssignments;
    CAPMList m_stages;
    int m_rangeMode = -1;
    unsigned int m_rangeMin = 0;
    unsigned int m_rangeMax = 1;
    unsigned int m_rangeValue = 0;
    unsigned int m_trackedRangeValuePlain = 0;
    CCatUInt m_trackedRangeValue;
    unsigned int m_percentValue = 100;
    CCatUInt m_trackedPercentValue;
    unsigned int m_trackedValuePlain = 1;
    CCatUInt m_trackedValue;
    CCategoryRegistry m_categories;

public:
    CBaseConfig()
    {
        RegisterCategory(kCatConfigActiveProfile, m_categories, &m_trackedActiveProfile);
        RegisterCategory(kCatConfigMacros, m_categories, &m_macros);
        RegisterCategory(kCatConfigApplications, m_categories, &m_applications);
        RegisterCategory(kCatConfigLedAssignments, m_categories, &m_trackedLedAssignments);
        RegisterCategory(kCatConfigPercent, m_categories, &m_trackedPercentValue);
        RegisterCategory(kCatConfigRange, m_categories, &m_trackedRangeValue);
        RegisterCategory(kCatConfigValue, m_categories, &m_trackedValue);
    }

    // The application deletes the store as its most derived class.
    ~CBaseConfig()
    {
        this->DeleteAllProfiles();
        RemoveAllMacros(m_macros);
        RemoveAllApplications(m_applications);
        m_stages.RemoveAll();
    }

    virtual int GetLimit() const { return 1024; }
    virtual CString GetProfileFileExtension() const = 0;

    // Type 12 asks the macro entry at the index, type 14 the application entry; anything
    // else, or an index outside the list, answers true.
    virtual bool IsItemChanged(int type, int index) const
    {
        if (index < 0)
            return true;
        if (type == 12)
            return m_macros.IsItemChanged(static_cast<size_t>(index));
        if (type == 14)
            return m_applications.IsItemChanged(static_cast<size_t>(index));
        return true;
    }

    virtual bool IsCategoryChanged(int id) const { return ::IsCategoryChanged(m_categories, id); }

    virtual bool IsChanged(IKeypadProfile* profile) const
    {
        if (profile)
            return profile->IsChanged();
        if (IsRegistryChanged(m_categories))
            return true;
        for (const auto& listed : this->m_profiles) {
            if (listed->IsChanged())
                return true;
        }
        return false;
    }

    virtual void AcceptChanges() { AcceptAllCategories(m_categories); }
};
