#include "DeviceEventDecisions.h"

#include "CDeviceListener.h"
#include "CString.h"

#include <dbt.h>
#include <wtsapi32.h>

#include <cstddef>

namespace
{
// True for a device-interface broadcast whose name carries the keypad's vendor and product
// ids. The header's type and size are checked before the name is read.
bool IsKeypadInterface(LPARAM lParam)
{
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE)
        return false;
    constexpr size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    if (header->dbch_size <= nameOffset)
        return false;
    const auto* device = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
    const size_t room = (header->dbch_size - nameOffset) / sizeof(wchar_t);
    size_t length = 0;
    while (length < room && device->dbcc_name[length] != L'\0')
        ++length;
    if (length == room)
        return false;
    CString name(device->dbcc_name);
    name.MakeUpper();
    return ParseDevicePathNumber(name, L"VID_") == kKeypadVendorId &&
        ParseDevicePathNumber(name, L"PID_") == kKeypadProductId;
}
}

DeviceChangeDecision DecideDeviceChange(WPARAM event, LPARAM header, const std::function<bool()>& isConnected)
{
    switch (event)
    {
    case DBT_DEVNODES_CHANGED:
        if (isConnected && !isConnected())
            return { tCallbackAction::Unadvise, 0 };
        return { tCallbackAction::None, 0 };
    case DBT_DEVICEARRIVAL:
        if (IsKeypadInterface(header))
            return { tCallbackAction::Advise, 1 };
        break;
    case DBT_DEVICEREMOVECOMPLETE:
        if (IsKeypadInterface(header))
            return { tCallbackAction::Unadvise, 1 };
        break;
    default:
        break;
    }
    return { tCallbackAction::None, 0 };
}

tCallbackAction DecideSessionChange(WPARAM code)
{
    switch (code)
    {
    case WTS_CONSOLE_CONNECT:
    case WTS_SESSION_LOGON:
    case WTS_SESSION_UNLOCK:
        return tCallbackAction::Advise;
    case WTS_CONSOLE_DISCONNECT:
    case WTS_SESSION_LOGOFF:
    case WTS_SESSION_LOCK:
        return tCallbackAction::Unadvise;
    default:
        return tCallbackAction::None;
    }
}
