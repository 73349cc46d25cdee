// Classes in this file:
//   CCatKvApp - tracks a live application entry against an accepted copy of it.
#pragma once

#include "CCategory.h"
#include "CKvApp.h"

// As for macros: the live entry belongs to the list that holds the category.
class CCatKvApp : public CCategory
{
    CKvApp* m_live = nullptr;
    CKvApp m_accepted;

public:
    // Creates the live entry: that path, GUID_NULL.
    explicit CCatKvApp(const CString& path) : m_live(new CKvApp(path)) {}
    explicit CCatKvApp(CKvApp* live) : m_live(live) {}

    CKvApp* GetLive() const { return m_live; }
    const CKvApp& GetAccepted() const { return m_accepted; }
    void DeleteLive()
    {
        delete m_live;
        m_live = nullptr;
    }

    bool IsChanged() const override { return !m_live || !KvAppEquals(m_accepted, *m_live); }
    void Accept() override
    {
        if (m_live)
            m_accepted = *m_live;
    }
};
