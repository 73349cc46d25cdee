// Classes in this file:
//   CCatLiveRecord<T, Equals> - tracks a live record, owned by the list that holds the
//   category, against an accepted copy of it.
#pragma once

#include "CCategory.h"

// Copies of the category share the live record; only the owning list frees it
// (DeleteLive), when the entry is removed or the list is destroyed.
template <typename T, bool (*Equals)(const T&, const T&)>
class CCatLiveRecord : public CCategory
{
    T* m_live = nullptr;
    T m_accepted;

public:
    explicit CCatLiveRecord(T* live) : m_live(live) {}

    T* GetLive() const { return m_live; }
    const T& GetAccepted() const { return m_accepted; }
    void DeleteLive()
    {
        delete m_live;
        m_live = nullptr;
    }

    bool IsChanged() const override { return !m_live || !Equals(m_accepted, *m_live); }
    void Accept() override
    {
        if (m_live)
            m_accepted = *m_live;
    }
    void AcceptFrom(const CCatLiveRecord& other) { m_accepted = other.m_accepted; }
};
