// Classes in this file:
//   CCatMacro - tracks a live macro record against an accepted copy of it.
#pragma once

#include "CCategory.h"
#include "CMacro.h"

// The live macro belongs to the list that holds the category, which deletes it when the
// entry is removed or the list is destroyed; copies of the category share it.
class CCatMacro : public CCategory
{
    CMacro* m_live = nullptr;
    CMacro m_accepted;

public:
    // Creates the live macro: that name, no events, GUID_NULL, no text.
    explicit CCatMacro(const wchar_t* name) : m_live(new CMacro(name, {})) {}
    // Tracks a live macro made by the caller; the list takes it over.
    explicit CCatMacro(CMacro* live) : m_live(live) {}

    CMacro* GetLive() const { return m_live; }
    const CMacro& GetAccepted() const { return m_accepted; }
    // Frees the live record; only its owning list calls this.
    void DeleteLive()
    {
        delete m_live;
        m_live = nullptr;
    }

    bool IsChanged() const override { return !m_live || !MacroEquals(m_accepted, *m_live); }
    void Accept() override
    {
        if (m_live)
            m_accepted = *m_live;
    }
};
