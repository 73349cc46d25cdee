// Classes in this file:
//   IKeypadConfig - the handle of the whole configuration: profiles, macros, applications,
//   LED assignments, stages and settings.
#pragma once

#include "CAssignment.h"
#include "CKeymap.h"
#include "CKvApp.h"
#include "CMacro.h"
#include "CString.h"
#include "IKeypadProfile.h"

#include <windows.h>

#include <memory>

class CBitmap;

// Operations that take a profile work on the active profile when given none, and do
// nothing (answering 0, false or null) when there is no profile either.
class IKeypadConfig
{
public:
    virtual ~IKeypadConfig() = default;

    virtual void RemoveAllProfiles() = 0;
    virtual void RestoreProfileDefaults(IKeypadProfile* profile) = 0;
    virtual void Reserved() = 0;
    virtual int GetLimit() const = 0;
    virtual int GetProfileCount() const = 0;
    virtual int GetMacroCount() const = 0;
    // Eight keymaps with default assignments; the new profile does not become active.
    virtual IKeypadProfile* CreateProfile(const CString& name) = 0;
    virtual IKeypadProfile* AddProfileCopy(IKeypadProfile* profile) = 0;
    virtual IKeypadProfile* FindProfileByGUID(GUID id) const = 0;
    virtual IKeypadProfile* FindProfileByName(const CString& name) const = 0;
    virtual IKeypadProfile* GetProfile(int index) const = 0;
    virtual IKeypadProfile* GetActiveProfile() const = 0;
    virtual void SetActiveProfile(IKeypadProfile* profile) = 0;
    virtual void SetProfileApplicationPath(IKeypadProfile* profile, const CString& path) = 0;
    virtual CString GetProfileApplicationPath(IKeypadProfile* profile) const = 0;
    virtual void SetProfileAutoSwitch(IKeypadProfile* profile, bool on) = 0;
    virtual bool GetProfileAutoSwitch(IKeypadProfile* profile) const = 0;
    // Renaming replaces the profile object by a renamed copy that keeps its GUID and list
    // position. The caller's handle is updated to the copy, since the old object (and its
    // keymaps) is freed; answers the copy, or null (handle untouched) when nothing changed.
    virtual IKeypadProfile* RenameProfile(IKeypadProfile*& profile, const CString& newName) = 0;
    // A copy with GUID_NULL for itself and its keymaps, appended to the list.
    virtual IKeypadProfile* CopyProfile(IKeypadProfile* profile, const CString& newName) = 0;
    virtual void DeleteProfile(IKeypadProfile* profile) = 0;
    virtual CMacro* AddMacro(const CString& name) = 0;
    virtual void RemoveMacro(CMacro* macro) = 0;
    virtual CMacro* FindMacroByGUID(GUID id) const = 0;
    virtual CMacro* FindMacroByName(const CString& name) const = 0;
    virtual CMacro* GetMacro(int index) const = 0;
    virtual void SetInsertDefaultDelay(bool on) = 0;
    virtual bool GetInsertDefaultDelay() const = 0;
    virtual void SetIgnoreDelay(bool on) = 0;
    virtual bool GetIgnoreDelay() const = 0;
    virtual int GetApplicationCount() const = 0;
    virtual CKvApp* AddApplication(const CString& path) = 0;
    virtual void RemoveApplication(CKvApp* application) = 0;
    virtual CKvApp* FindApplicationByGUID(GUID id) const = 0;
    virtual CKvApp* FindApplicationByName(const CString& path) const = 0;
    virtual CKvApp* GetApplication(int index) const = 0;
    virtual bool LoadSettings() = 0;
    virtual bool SaveSettings() = 0;
    virtual int LoadProfileFiles() = 0;
    virtual bool SaveProfile(IKeypadProfile* profile) = 0;
    virtual void SetButtonAssignment(tKeypadButton button, CAssignment assignment, IKeypadProfile* profile = nullptr, CKeymap* keymap = nullptr) = 0;
    virtual CAssignment* GetButtonAssignment(CAssignment* out, tKeypadButton button, IKeypadProfile* profile = nullptr, CKeymap* keymap = nullptr) = 0;
    virtual CAssignment* GetDefaultAssignment(CAssignment* out, tKeypadButton button) = 0;
    virtual void SetKeyAssignment(int keyId, CAssignment assignment, IKeypadProfile* profile = nullptr, CKeymap* keymap = nullptr) = 0;
    virtual CAssignment* GetKeyAssignment(CAssignment* out, int keyId, IKeypadProfile* profile = nullptr, CKeymap* keymap = nullptr) = 0;
    virtual CAssignment* GetDefaultKeyAssignment(CAssignment* out, int keyId) const = 0;
    virtual void SetCurrentKeymap(CKeymap* keymap, IKeypadProfile* profile = nullptr) = 0;
    virtual CKeymap* GetCurrentKeymap(IKeypadProfile* profile = nullptr) const = 0;
    virtual void SetProfileEnabled(bool on, IKeypadProfile* profile) = 0;
    virtual bool IsProfileEnabled(IKeypadProfile* profile) const = 0;
    virtual bool IsKeymapModeEnabled() const = 0;
    virtual int GetKeymapCount(IKeypadProfile* profile = nullptr) const = 0;
    virtual CKeymap* AddKeymap(const CString& name, IKeypadProfile* profile = nullptr) = 0;
    virtual CKeymap* AddKeymapCopy(const CKeymap* keymap, IKeypadProfile* profile = nullptr) = 0;
    virtual CKeymap* FindKeymapByGUID(GUID id, IKeypadProfile* profile = nullptr) const = 0;
    virtual CKeymap* FindKeymapByName(const CString& name, IKeypadProfile* profile = nullptr) const = 0;
    virtual CKeymap* GetKeymap(int index, IKeypadProfile* profile = nullptr) const = 0;
    virtual void RemoveAllKeymaps(IKeypadProfile* profile = nullptr) = 0;
    virtual void SetLedState(tLEDType led, bool on, IKeypadProfile* profile = nullptr) = 0;
    virtual bool GetLedState(tLEDType led, IKeypadProfile* profile = nullptr) const = 0;
    virtual void SetLedColour(tLEDType led, COLORREF colour, IKeypadProfile* profile = nullptr) = 0;
    virtual COLORREF GetLedColour(tLEDType led, IKeypadProfile* profile = nullptr) const = 0;
    virtual void SetLedEffect(tLEDType led, tLEDEffect effect, IKeypadProfile* profile = nullptr) = 0;
    virtual tLEDEffect GetLedEffect(tLEDType led, IKeypadProfile* profile = nullptr) const = 0;
    virtual void SetLedBrightness(tLEDType led, unsigned int percent, IKeypadProfile* profile = nullptr) = 0;
    virtual unsigned int GetLedBrightness(tLEDType led, IKeypadProfile* profile = nullptr) const = 0;
    virtual int GetLedAssignmentCount() const = 0;
    // Only LED assignments (kind 77) are stored.
    virtual void SetLedAssignment(int led, CAssignment assignment) = 0;
    virtual CAssignment* GetLedAssignment(CAssignment* out, int led) = 0;
    virtual int GetLedAssignmentKey(int index) const = 0;
    virtual void SetProfileOption(int option, IKeypadProfile* profile) = 0;
    virtual bool GetProfileOption(IKeypadProfile* profile) const = 0;
    virtual void SetOsdEnabledForAllProfiles(bool on) = 0;
    virtual void SetProfileOsdEnabled(bool on, IKeypadProfile* profile = nullptr) = 0;
    virtual bool IsProfileOsdEnabled(IKeypadProfile* profile = nullptr) const = 0;
    virtual int GetApmCount() const = 0;
    virtual bool SetApmName(int index, const wchar_t* name) = 0;
    virtual bool SetApmBitmap(int index, CBitmap* bitmap, int id) = 0;
    virtual bool GetApmName(int index, const wchar_t*& name) const = 0;
    virtual bool GetApmBitmap(int index, CBitmap*& bitmap, int& id) const = 0;
    virtual bool AddApm(const wchar_t* name, CBitmap* bitmap, int id) = 0;
    virtual bool RemoveApm(int index) = 0;
    virtual void RemoveAllApms() = 0;
    virtual void SetRangeMode(int mode) = 0;
    virtual int GetRangeMode() const = 0;
    virtual unsigned int GetRangeMin() const = 0;
    virtual unsigned int GetRangeMax() const = 0;
    virtual void SetRangeValue(unsigned int value) = 0;
    virtual unsigned int GetRangeValue() const = 0;
    virtual void SetTrackedRangeValue(unsigned int value) = 0;
    virtual unsigned int GetTrackedRangeValue() const = 0;
    virtual void SetTrackedValue(unsigned int value) = 0;
    virtual unsigned int GetTrackedValue() const = 0;
    virtual void SetPercentValue(unsigned int percent) = 0;
    virtual unsigned int GetPercentValue() const = 0;
    virtual bool IsItemChanged(int type, int index) const = 0;
    virtual bool IsCategoryChanged(int id) const = 0;
    // With a profile: that profile; with none: the store's categories, then every profile.
    virtual bool IsChanged(IKeypadProfile* profile = nullptr) const = 0;
    // Accepts the store's own categories; profiles accept separately.
    virtual void AcceptChanges() = 0;
    // A copy of the profiles (with their keymaps), the active profile, the macros and the
    // applications, current and accepted values alike, that remembers which item of this
    // store each copy was taken from. A write runs on it while the user goes on editing.
    virtual std::unique_ptr<IKeypadConfig> CreateSnapshot() const = 0;
    // After a write of a snapshot of this store: the ids the device gave reach the items
    // the snapshot was taken from that still exist, and each takes the accepted values of
    // its copy, so what reached the device is accepted and every later edit stays changed.
    virtual void AcceptWritten(const IKeypadConfig* snapshot) = 0;
};
