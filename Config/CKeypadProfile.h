// Classes in this file:
//   CKeypadProfile - a profile of a keypad: adds button assignments, the keymaps and the
//   current keymap to the base profile.
#pragma once

#include "CBaseProfile.h"
#include "CKeymap.h"

#include <memory>
#include <vector>

// 1 once the configuration store exists: every key and button assignment then lives in a
// keymap. 0 keeps them in the profile's own maps.
extern int g_keymapMode;

class CKeypadProfile : public CBaseProfile
{
    // Data members
    std::map<tKeypadButton, CAssignment> m_buttonAssignments;
    CCatKeypadBtnAssignMap m_trackedButtonAssignments;
    std::vector<std::unique_ptr<CKeymap>> m_keymaps;
    // Not owned: one of m_keymaps, or none. Its tracked copy is not registered.
    CKeymap* m_currentKeymap = nullptr;
    CCatPtr<CKeymap> m_trackedCurrentKeymap;
    bool m_reserved1 = false;
    CCatBool m_trackedReserved1;
    bool m_reserved2 = true;
    CCatBool m_trackedReserved2;

public:
    CKeypadProfile();
    explicit CKeypadProfile(const CString& name);
    ~CKeypadProfile() override;

    using CBaseProfile::CopyFrom;
    // Copies everything CBaseProfile::CopyFrom does, the button assignments and every
    // keymap; the copy of the source's current keymap becomes the current keymap.
    virtual void CopyFrom(const CKeypadProfile& source);
    using CBaseProfile::AcceptFrom;
    // Also takes the accepted button assignments and flags.
    void AcceptFrom(const CKeypadProfile& other);
    using CBaseProfile::CopyTrackingFrom;
    void CopyTrackingFrom(const CKeypadProfile& other);
    // Without a keymap (none given and no current one) the setters do nothing and the
    // getters give a default-key record.
    virtual void SetKeyAssignment(int keyId, CAssignment assignment, CKeymap* keymap);
    virtual CAssignment* GetKeyAssignment(CAssignment* out, int keyId, CKeymap* keymap);
    virtual void SetButtonAssignment(tKeypadButton button, CAssignment assignment, CKeymap* keymap);
    virtual CAssignment* GetButtonAssignment(CAssignment* out, tKeypadButton button, CKeymap* keymap);
    virtual bool CanAssignKind(int kind, tKeypadButton button) const = 0;
    virtual int GetKeymapCount() const;
    virtual CKeymap* AddKeymap(const CString& name);
    virtual CKeymap* AddKeymapCopy(const CKeymap* keymap);
    virtual CKeymap* FindKeymapByGUID(GUID id) const;
    virtual CKeymap* FindKeymapByName(const CString& name) const;
    virtual CKeymap* GetKeymap(int index) const;
    virtual void RemoveAllKeymaps();
    virtual void SetCurrentKeymap(CKeymap* keymap);
    virtual CKeymap* GetCurrentKeymap() const;
    virtual void SetOption(int option);
    virtual bool GetOption() const;

private:
    // Implementation
    CKeymap* KeymapOrCurrent(CKeymap* keymap) const;
    int IndexOfKeymap(const CKeymap* keymap) const;
};
