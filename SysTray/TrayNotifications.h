// What the hidden dialog does for a device change and a session change.
#pragma once

#include <windows.h>

#include <dbt.h>

enum class TrayDeviceAction
{
    kNone,
    // A device node changed: the service is asked whether the keypad is still there.
    kCheckPresence,
    kKeypadArrived,
    kKeypadRemoved,
};

enum class TraySessionAction
{
    kNone,
    // Connect, logon, unlock: start the poll and connect.
    kResume,
    // Disconnect, logoff, lock: stop the poll, disconnect and give up any recording.
    kSuspend,
};

// The keypad is a device interface whose name holds "VID_6C1F" and "PID_0111" (any case).
// The header is read only for arrivals and removals, and only when it is there.
TrayDeviceAction ClassifyDeviceChange(WPARAM event, const DEV_BROADCAST_HDR* header);
TraySessionAction ClassifySessionChange(WPARAM code);
