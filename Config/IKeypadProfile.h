// Classes in this file:
//   IKeypadProfile - the handle every page and the device layer hold for one profile.
#pragma once

#include "CAssignment.h"
#include "CKeymap.h"
#include "CString.h"
#include "KeypadTypes.h"

#include <windows.h>

#include <vector>

// Operations that take a keymap use the current keymap when given none.
class IKeypadProfile
{
public:
    virtual ~IKeypadProfile() = default;

    virtual CString GetName() const = 0;
    virtual GUID* GetGUID(GUID* out) const = 0;
    virtual void Reserved() = 0;
    virtual bool HasFileName() const = 0;
    virtual void SetName(const CString& name) = 0;
    virtual void SetGUID(GUID id) = 0;
    virtual CString GetApplicationName() const = 0;
    virtual void SetApplicationName(const CString& name) = 0;
    virtual CString GetFileName() const = 0;
    virtual CString GetApplicationPath() const = 0;
    // Also sets the application name to the program's file name and extension.
    virtual void SetApplicationPath(const CString& path) = 0;
    virtual void SetKeyAssignment(int keyId, CAssignment assignment, CKeymap* keymap = nullptr) = 0;
    virtual CAssignment* GetKeyAssignment(CAssignment* out, int keyId, CKeymap* keymap = nullptr) = 0;
    virtual void SetButtonAssignment(tKeypadButton button, CAssignment assignment, CKeymap* keymap = nullptr) = 0;
    virtual CAssignment* GetButtonAssignment(CAssignment* out, tKeypadButton button, CKeymap* keymap = nullptr) = 0;
    virtual bool CanAssignKind(int kind, tKeypadButton button) const = 0;
    virtual bool IsAssignmentKindSupported(int kind) const = 0;
    virtual void GetSupportedAssignmentKinds(std::vector<int>* out) const = 0;
    virtual int GetKeymapCount() const = 0;
    virtual CKeymap* AddKeymap(const CString& name) = 0;
    virtual CKeymap* AddKeymapCopy(const CKeymap* keymap) = 0;
    virtual CKeymap* FindKeymapByGUID(GUID id) const = 0;
    virtual CKeymap* FindKeymapByName(const CString& name) const = 0;
    virtual CKeymap* GetKeymap(int index) const = 0;
    virtual void RemoveAllKeymaps() = 0;
    virtual void SetCurrentKeymap(CKeymap* keymap) = 0;
    virtual CKeymap* GetCurrentKeymap() const = 0;
    virtual void SetAutoSwitch(bool on) = 0;
    virtual bool GetAutoSwitch() const = 0;
    virtual void SetOsdEnabled(bool on) = 0;
    virtual bool IsOsdEnabled() const = 0;
    virtual void SetOption(int option) = 0;
    virtual bool GetOption() const = 0;
    virtual void SetLedState(tLEDType led, bool on) = 0;
    virtual bool GetLedState(tLEDType led) const = 0;
    virtual void SetLedColour(tLEDType led, COLORREF colour) = 0;
    virtual COLORREF GetLedColour(tLEDType led) const = 0;
    virtual void SetLedEffect(tLEDType led, tLEDEffect effect) = 0;
    virtual tLEDEffect GetLedEffect(tLEDType led) const = 0;
    virtual void SetLedBrightness(tLEDType led, unsigned int percent) = 0;
    virtual unsigned int GetLedBrightness(tLEDType led) const = 0;
    virtual bool IsKeyItemChanged(int type, int keyId) const = 0;
    virtual bool IsLedItemChanged(int type, tLEDType led) const = 0;
    virtual bool IsCategoryChanged(int id) const = 0;
    virtual bool IsChanged() const = 0;
    virtual void AcceptChanges() = 0;
    // No profile file format exists: both report failure and do nothing.
    virtual bool SaveToFile(CString& pathOut, const CString& folder, const CString& extension) = 0;
    virtual bool LoadFromFile(const CString& name, const CString& folder, const CString& extension) = 0;
};
