// Classes in this file:
//   CMWProfile - a converted profile: its GUID, names, settings and eight key maps.
#pragma once

#include "CMWKeymap.h"

#include "CString.h"

#include <windows.h>

#include <memory>

class CMWProfile
{
public:
    static constexpr int kKeymapCount = 8;

    // Data members
    GUID m_guid = GUID_NULL;
    // Null until converted; each profile owns its own key maps.
    std::unique_ptr<CMWKeymap> m_keymaps[kKeymapCount];
    // One of the eight above, or null.
    CMWKeymap* m_activeKeymap = nullptr;
    CString m_name;
    CString m_application;
    bool m_switchFlag = false;
    int m_brightness = 100;

    // Attributes
    const CString& GetName() const { return m_name; }
    void SetName(const wchar_t* name) { m_name = name; }
    const CString& GetApplication() const { return m_application; }
    void SetApplication(const wchar_t* application) { m_application = application; }

    // 0-based index of the active key map; -1 when none of the eight is active.
    int GetActiveKeymapIndex() const;
};
