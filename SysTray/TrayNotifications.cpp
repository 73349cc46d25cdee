#include "TrayNotifications.h"

#include "CString.h"

#include <dbt.h>
#include <wtsapi32.h>

namespace
{
bool IsKeypadInterface(const DEV_BROADCAST_HDR* header)
{
    if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE ||
        header->dbch_size < sizeof(DEV_BROADCAST_DEVICEINTERFACE_W))
        return false;
    const auto* device = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
    // The name runs to the end of the record; it is taken no further even without a terminator.
    const size_t nameBytes = header->dbch_size - offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    CString name(device->dbcc_name, static_cast<int>(wcsnlen(device->dbcc_name, nameBytes / sizeof(wchar_t))));
    name.MakeUpper();
    return name.Find(L"VID_6C1F") >= 0 && name.Find(L"PID_0111") >= 0;
}
}

TrayDeviceAction ClassifyDeviceChange(WPARAM event, const DEV_BROADCAST_HDR* header)
{
    switch (event)
    {
    case DBT_DEVNODES_CHANGED:
        return TrayDeviceAction::kCheckPresence;
    case DBT_DEVICEARRIVAL:
        return IsKeypadInterface(header) ? TrayDeviceAction::kKeypadArrived : TrayDeviceAction::kNone;
    case DBT_DEVICEREMOVECOMPLETE:
        return IsKeypadInterface(header) ? TrayDeviceAction::kKeypadRemoved : TrayDeviceAction::kNone;
    default:
        return TrayDeviceAction::kNone;
    }
}

TraySessionAction ClassifySessionChange(WPARAM code)
{
    switch (code)
    {
    case WTS_CONSOLE_CONNECT:
    case WTS_SESSION_LOGON:
    case WTS_SESSION_UNLOCK:
        return TraySessionAction::kResume;
    case WTS_CONSOLE_DISCONNECT:
    case WTS_SESSION_LOGOFF:
    case WTS_SESSION_LOCK:
        return TraySessionAction::kSuspend;
    default:
        return TraySessionAction::kNone;
    }
}
