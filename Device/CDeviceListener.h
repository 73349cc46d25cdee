// Classes in this file:
//   CDeviceListener - asks Windows to tell a window about HID device interfaces arriving
//   and leaving.
#pragma once

#include "CString.h"

#include <windows.h>

#include <vector>

class CDeviceListener
{
    std::vector<HDEVNOTIFY> m_notifications;

public:
    CDeviceListener() = default;
    ~CDeviceListener() { UnregisterAll(); }
    CDeviceListener(const CDeviceListener&) = delete;
    CDeviceListener& operator=(const CDeviceListener&) = delete;

    // A null window does nothing; false when Windows refused the registration.
    bool Register(HWND window);
    void UnregisterAll();
    int GetCount() const { return static_cast<int>(m_notifications.size()); }
};

// The hexadecimal number of at most four digits after the tag ("VID_", "PID_") in a
// device path, ignoring case; 0 without the tag or a number.
int ParseDevicePathNumber(const CString& path, const wchar_t* tag);

extern CDeviceListener g_deviceListener;
