#include "CDeviceListener.h"

#include <dbt.h>

#include <cwchar>

CDeviceListener g_deviceListener;

namespace
{
// {4D1E55B2-F16F-11CF-88CB-001111000030}
const GUID kHidInterfaceClass = { 0x4D1E55B2, 0xF16F, 0x11CF, { 0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30 } };
}

bool CDeviceListener::Register(HWND window)
{
    if (!window)
        return false;
    DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kHidInterfaceClass;
    HDEVNOTIFY notification = RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (!notification)
        return false;
    m_notifications.push_back(notification);
    return true;
}

void CDeviceListener::UnregisterAll()
{
    while (!m_notifications.empty()) {
        UnregisterDeviceNotification(m_notifications.back());
        m_notifications.pop_back();
    }
}

int ParseDevicePathNumber(const CString& path, const wchar_t* tag)
{
    CString upper(path);
    upper.MakeUpper();
    int at = tag ? upper.Find(tag) : -1;
    if (at < 0)
        return 0;
    CString digits = upper.Mid(at + static_cast<int>(wcslen(tag)), 4);
    unsigned int value = 0;
    if (swscanf(digits, L"%x", &value) != 1)
        return 0;
    return static_cast<int>(value);
}
