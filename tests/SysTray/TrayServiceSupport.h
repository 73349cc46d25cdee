// The simulated keypad as the tray's tests set it up and read it back: profiles with their
// flag words and linked applications, the call log, the state dump and its sink count.
#pragma once

#include "CComPtr.h"
#include "DeviceService.h"

#include <gtest/gtest.h>

#include <string>

class TrayService
{
    CComPtr<IDeviceServiceControl> m_control;

public:
    // Resets the keypad to its factory state (one profile, "Profile 1").
    bool Reset();
    // Clears every failure rule and plugs the keypad in again.
    void Restore();
    IDeviceServiceControl* Control() const { return m_control.Get(); }

    CComPtr<IProfileManager> Profiles() const;
    CComPtr<IProfile> FindProfile(const std::wstring& name) const;
    bool AddProfile(const std::wstring& name);
    // Sets the bits of the mask in the profile's flag word to those of value.
    bool SetFlags(const std::wstring& name, WORD mask, WORD value);
    bool SetApplication(const std::wstring& name, const std::wstring& application);
    bool Activate(const std::wstring& name);
    std::wstring ActiveName() const;
    bool SetMode(LONG mode);
    bool SwitchLed(const std::wstring& profile, LONG ledId, bool on);

    std::wstring Dump() const;
    std::wstring CallLog() const;
    // The sinks the service holds, from the dump's first line; -1 when unreadable.
    int SinkCount() const;
    // How often the call log names the method.
    int CountCalls(const std::wstring& method) const;
};

constexpr WORD kLinkedFlag = 0x1;
constexpr WORD kProfileNoticeFlag = 0x4;
