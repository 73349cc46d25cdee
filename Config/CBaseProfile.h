// Classes in this file:
//   CBaseProfile - the part of a profile common to every device: name, identity, linked
//   application, LED settings, flags, and key assignments kept outside keymaps.
#pragma once

#include "CAssignment.h"
#include "CCatGUID.h"
#include "CCatMap.h"
#include "CCatPrimitive.h"
#include "CCatString.h"
#include "CLedSetting.h"
#include "CString.h"
#include "CategoryRegistry.h"

#include <windows.h>

#include <map>

class CBaseProfile
{
    // Data members: each tracked value keeps a plain copy beside it.
    std::map<int, CAssignment> m_keyAssignments;
    CCatKeyAssignMap m_trackedKeyAssignments;
    std::map<tLEDType, CLedSetting> m_ledSettings;
    CCatLedStateMap m_ledStates;
    CCatLedColourMap m_ledColours;
    CCatLedEffectMap m_ledEffects;
    CCatLedBrightPercentMap m_ledBrightness;

protected:
    CCategoryRegistry m_categories;

private:
    CString m_name;
    CCatString m_trackedName;
    CString m_applicationName;
    CCatString m_trackedApplicationName;
    CString m_applicationPath;
    CString m_fileName;
    GUID m_id = GUID_NULL;
    CCatGUID m_trackedId;
    bool m_autoSwitch = false;
    CCatBool m_trackedAutoSwitch;
    bool m_osdEnabled = true;
    CCatBool m_trackedOsdEnabled;

public:
    static constexpr int kMaxPathComponent = 255;

    CBaseProfile();
    explicit CBaseProfile(const CString& name);
    // The registry points into the object itself: a member-wise copy would point into the
    // source, so profiles copy only through CopyFrom.
    CBaseProfile(const CBaseProfile&) = delete;
    CBaseProfile& operator=(const CBaseProfile&) = delete;
    virtual ~CBaseProfile() = default;

    // Copies the current values; accepted values are not copied.
    virtual void CopyFrom(const CBaseProfile& source);
    // Takes the accepted values of the other profile's tracked values, leaving the
    // current ones: what a written copy of this profile holds on the device.
    void AcceptFrom(const CBaseProfile& other);
    // Takes the other profile's tracked values whole, current and accepted, so this copy
    // answers every change question as the other does.
    void CopyTrackingFrom(const CBaseProfile& other);
    virtual CString GetName() const;
    virtual void SetName(const CString& name);
    virtual GUID* GetGUID(GUID* out) const;
    virtual void SetGUID(GUID id);
    virtual bool HasFileName() const;
    virtual CString GetFileName() const;
    virtual CString GetApplicationName() const;
    virtual void SetApplicationName(const CString& name);
    virtual CString GetApplicationPath() const;
    virtual void SetApplicationPath(const CString& path);
    virtual void SetBaseKeyAssignment(int keyId, CAssignment assignment);
    virtual CAssignment* GetBaseKeyAssignment(CAssignment* out, int keyId);
    virtual bool IsAssignmentKindSupported(int kind) const = 0;
    virtual void SetLedState(tLEDType led, bool on);
    virtual bool GetLedState(tLEDType led) const;
    virtual void SetLedColour(tLEDType led, COLORREF colour);
    virtual COLORREF GetLedColour(tLEDType led) const;
    virtual void SetLedEffect(tLEDType led, tLEDEffect effect);
    virtual tLEDEffect GetLedEffect(tLEDType led) const;
    virtual void SetLedBrightness(tLEDType led, unsigned int percent);
    virtual unsigned int GetLedBrightness(tLEDType led) const;
    virtual void SetAutoSwitch(bool on);
    virtual bool GetAutoSwitch() const;
    virtual void SetOsdEnabled(bool on);
    virtual bool IsOsdEnabled() const;
    virtual bool SaveToFile(CString& pathOut, const CString& folder, const CString& extension);
    virtual bool LoadFromFile(const CString& name, const CString& folder, const CString& extension);
    virtual bool IsLedItemChanged(int type, tLEDType led) const;
    virtual bool IsKeyItemChanged(int type, int keyId) const;
    virtual bool IsCategoryChanged(int id) const;
    virtual bool IsChanged() const;
    virtual void AcceptChanges();
};
