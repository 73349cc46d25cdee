// Classes in this file:
//   CKeymap - one of a profile's keymaps: its key and button assignments, name and id.
#pragma once

#include "CAssignment.h"
#include "CCatGUID.h"
#include "CCatString.h"
#include "CString.h"

#include <windows.h>

#include <cstdint>
#include <map>

class CKeymap
{
public:
    using KeyMap = std::map<int, CAssignment>;
    using ButtonMap = std::map<tKeypadButton, CAssignment>;

private:
    // Data members. The assignment maps are plain: changes to them are not tracked.
    KeyMap m_keyAssignments;
    ButtonMap m_buttonAssignments;
    CString m_name;
    CCatString m_trackedName;
    GUID m_id = GUID_NULL;
    CCatGUID m_trackedId;

public:
    explicit CKeymap(const CString& name);
    CKeymap(const CKeymap& other) = default;
    CKeymap& operator=(const CKeymap& other);

    // Attributes: reads use the tracked values.
    const CString& GetName() const { return m_trackedName.Get(); }
    const GUID& GetGUID() const { return m_trackedId.Get(); }
    KeyMap& GetKeyAssignments() { return m_keyAssignments; }
    const KeyMap& GetKeyAssignments() const { return m_keyAssignments; }
    ButtonMap& GetButtonAssignments() { return m_buttonAssignments; }
    const ButtonMap& GetButtonAssignments() const { return m_buttonAssignments; }

    // Operations
    void SetName(const CString& name);
    void SetGUID(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3);
    void SetGUID(const GUID& id);
};
