// What the main window does with a device-change broadcast or a session change: connect
// the device-service event callbacks, disconnect them, or nothing.
#pragma once

#include <windows.h>

#include <functional>

enum class tCallbackAction
{
    None,
    Advise,
    Unadvise,
};

struct DeviceChangeDecision
{
    tCallbackAction action;
    LRESULT result;
};

// The keypad's identity on USB.
constexpr int kKeypadVendorId = 0x6C1F;
constexpr int kKeypadProductId = 0x0111;

// WM_DEVICECHANGE: the event code and its broadcast header (may be null). isConnected is
// asked only when the device tree changed.
DeviceChangeDecision DecideDeviceChange(WPARAM event, LPARAM header, const std::function<bool()>& isConnected);
// WM_WTSSESSION_CHANGE: connected, logged on or unlocked advise; disconnected, logged off or
// locked unadvise; anything else changes nothing.
tCallbackAction DecideSessionChange(WPARAM code);
