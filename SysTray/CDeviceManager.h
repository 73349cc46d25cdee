// Classes in this file:
//   CDeviceManager - the tray's client of the device service: it connects when it is made,
//                    does one or two operations and is deleted again. Profiles are named
//                    exactly (two names that differ only in case are two profiles).
#pragma once

#include "CComPtr.h"
#include "CEventConnection.h"
#include "CKvCallbacks.h"
#include "CLed.h"
#include "CString.h"
#include "CStringArray.h"
#include "DeviceService.h"
#include "ProfileSetting.h"
#include "TrayEventHandlers.h"

#include <memory>
#include <vector>

class CDeviceManager : public CKvDevice
{
    // Data members
    CComPtr<IProfileManager> m_profileManager;

public:
    // Finds the keypad (product id 0x0111) among the service's devices, as the device layer
    // does; without the service or the keypad every operation reports false.
    CDeviceManager();
    ~CDeviceManager() override;
    CDeviceManager(const CDeviceManager&) = delete;
    CDeviceManager& operator=(const CDeviceManager&) = delete;

    // Attributes
    // Whether the service lists the keypad right now.
    bool IsDevicePresent() const { return static_cast<bool>(m_device); }

    // Every profile with readable properties, in service order; true when there is one.
    bool GetProfileSettings(std::vector<_Profile_Setting_>& settings) const;
    // Every profile's name in service order; true when there is one.
    bool GetProfileNames(CStringArray& names) const;
    // The named profile's record; true when both of its properties could be read.
    bool GetProfileSetting(const CString& name, _Profile_Setting_& setting) const;
    bool GetActiveProfileName(CString& name) const;

    // Operations
    bool ActivateProfile(const CString& name);

    // The keypad back in normal mode, then its recording LED off; the LED is left alone
    // when the mode cannot be set.
    bool CancelRecording();
    // The recording LED off, without a mode change.
    bool ResetRecordingLed();
    bool SetActiveProfileLed(const CLed& led);
    bool SetProfileLed(const CString& profileName, const CLed& led);
    bool LeaveCaptureMode() { return SetDeviceMode(kNormalMode); }
    bool SetDeviceMode(int mode);

    // Null without the keypad, or when the sink could not be advised.
    std::unique_ptr<CEventConnection> CreateProfileEventConnection(IProfileEventHandler* handler);
    std::unique_ptr<CEventConnection> CreateLaunchAppEventConnection(ILaunchAppEventHandler* handler);

private:
    static constexpr int kNormalMode = 1;

    bool IsUsable() const { return m_device && m_profileManager; }
    // Calls visit(profile, name) for every profile in service order until it returns true;
    // true when it did.
    template <class Visit>
    bool ForEachProfile(Visit visit) const;
    bool FindProfile(const CString& name, CComPtr<IProfile>& profile) const;
    // Fills the record's application and flags from the profile's properties; true when
    // both reads succeeded.
    static bool ReadProperties(IProfile* profile, _Profile_Setting_& setting, bool& propertiesFound);
    static bool ApplyLed(ILed* led, const CLed& command);
};
