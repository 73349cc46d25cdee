// Classes in this file:
//   CProfileList<T> - the owned profiles of a configuration, in creation order.
#pragma once

#include "IKeypadProfile.h"

#include <memory>
#include <vector>

template <typename T>
class CProfileList
{
protected:
    // Data members
    std::vector<std::unique_ptr<T>> m_profiles;

public:
    CProfileList() = default;
    CProfileList(const CProfileList&) = delete;
    CProfileList& operator=(const CProfileList&) = delete;

    // Attributes
    int GetProfileCount() const { return static_cast<int>(m_profiles.size()); }

    T* ProfileAt(int index) const
    {
        if (index < 0 || index >= GetProfileCount())
            return nullptr;
        return m_profiles[static_cast<size_t>(index)].get();
    }

    // The position of the profile behind the handle; -1 when it is not in the list.
    int IndexOfProfile(const IKeypadProfile* profile) const
    {
        for (size_t i = 0; profile && i < m_profiles.size(); ++i) {
            if (static_cast<const IKeypadProfile*>(m_profiles[i].get()) == profile)
                return static_cast<int>(i);
        }
        return -1;
    }

    T* ListedProfile(const IKeypadProfile* profile) const { return ProfileAt(IndexOfProfile(profile)); }

    // Operations
    T* AppendProfile(std::unique_ptr<T> profile)
    {
        m_profiles.push_back(std::move(profile));
        return m_profiles.back().get();
    }

    // Deletes every profile, from the last.
    void DeleteAllProfiles()
    {
        while (!m_profiles.empty())
            m_profiles.pop_back();
    }
};
