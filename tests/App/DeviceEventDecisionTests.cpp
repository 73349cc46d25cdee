#include "DeviceEventDecisions.h"

#include <dbt.h>
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

namespace
{
// A device-interface broadcast with the name in place; size may be cut short.
std::vector<BYTE> InterfaceBroadcast(const std::wstring& name, DWORD type = DBT_DEVTYP_DEVICEINTERFACE)
{
    const size_t bytes = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (name.size() + 1) * sizeof(wchar_t);
    std::vector<BYTE> buffer(bytes, 0);
    auto* header = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(buffer.data());
    header->dbcc_size = static_cast<DWORD>(bytes);
    header->dbcc_devicetype = type;
    std::copy(name.begin(), name.end(), header->dbcc_name);
    return buffer;
}

const wchar_t kKeypad[] = L"\\\\?\\HID#VID_6C1F&PID_0111&MI_00#7&1a2b&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
const wchar_t kKeypadLower[] = L"\\\\?\\hid#vid_6c1f&pid_0111#7&1a2b&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
const wchar_t kOtherVendor[] = L"\\\\?\\HID#VID_046D&PID_0111#7&1a2b&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
const wchar_t kOtherProduct[] = L"\\\\?\\HID#VID_6C1F&PID_0112#7&1a2b&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

TEST(DecideDeviceChange, ActsOnlyOnTheKeypadsOwnArrivalAndRemoval)
{
    struct Case
    {
        const char* what;
        WPARAM event;
        std::vector<BYTE> header;
        tCallbackAction action;
        LRESULT result;
    };
    std::vector<Case> cases = {
        { "keypad arrives", DBT_DEVICEARRIVAL, InterfaceBroadcast(kKeypad), tCallbackAction::Advise, 1 },
        { "keypad arrives, lower case name", DBT_DEVICEARRIVAL, InterfaceBroadcast(kKeypadLower), tCallbackAction::Advise, 1 },
        { "keypad removed", DBT_DEVICEREMOVECOMPLETE, InterfaceBroadcast(kKeypad), tCallbackAction::Unadvise, 1 },
        { "other vendor arrives", DBT_DEVICEARRIVAL, InterfaceBroadcast(kOtherVendor), tCallbackAction::None, 0 },
        { "other product removed", DBT_DEVICEREMOVECOMPLETE, InterfaceBroadcast(kOtherProduct), tCallbackAction::None, 0 },
        { "a volume arrives", DBT_DEVICEARRIVAL, InterfaceBroadcast(kKeypad, DBT_DEVTYP_VOLUME), tCallbackAction::None, 0 },
        { "keypad about to be removed", DBT_DEVICEQUERYREMOVE, InterfaceBroadcast(kKeypad), tCallbackAction::None, 0 },
        { "removal pending", DBT_DEVICEREMOVEPENDING, InterfaceBroadcast(kKeypad), tCallbackAction::None, 0 },
    };
    for (Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        bool asked = false;
        const DeviceChangeDecision decision = DecideDeviceChange(c.event, reinterpret_cast<LPARAM>(c.header.data()),
            [&] { asked = true; return true; });
        EXPECT_EQ(decision.action, c.action);
        EXPECT_EQ(decision.result, c.result);
        EXPECT_FALSE(asked);
    }
}

TEST(DecideDeviceChange, ReadsNoNameOfAMissingOrShortHeader)
{
    EXPECT_EQ(DecideDeviceChange(DBT_DEVICEARRIVAL, 0, nullptr).action, tCallbackAction::None);
    EXPECT_EQ(DecideDeviceChange(DBT_DEVICEREMOVECOMPLETE, 0, nullptr).result, 0);

    std::vector<BYTE> headerOnly = InterfaceBroadcast(kKeypad);
    reinterpret_cast<DEV_BROADCAST_HDR*>(headerOnly.data())->dbch_size = sizeof(DEV_BROADCAST_HDR);
    EXPECT_EQ(DecideDeviceChange(DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(headerOnly.data()), nullptr).action,
        tCallbackAction::None);

    // A name that does not end inside the broadcast is not read past its end.
    std::vector<BYTE> unterminated = InterfaceBroadcast(kKeypad);
    reinterpret_cast<DEV_BROADCAST_HDR*>(unterminated.data())->dbch_size -= sizeof(wchar_t);
    EXPECT_EQ(DecideDeviceChange(DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(unterminated.data()), nullptr).action,
        tCallbackAction::None);
}

TEST(DecideDeviceChange, ATreeChangeWithoutTheKeypadDisconnects)
{
    EXPECT_EQ(DecideDeviceChange(DBT_DEVNODES_CHANGED, 0, [] { return false; }).action, tCallbackAction::Unadvise);
    EXPECT_EQ(DecideDeviceChange(DBT_DEVNODES_CHANGED, 0, [] { return true; }).action, tCallbackAction::None);
    EXPECT_EQ(DecideDeviceChange(DBT_DEVNODES_CHANGED, 0, [] { return false; }).result, 0);
}

TEST(DecideSessionChange, ConnectsOnConnectLogonAndUnlockAndDisconnectsOnTheirOpposites)
{
    const std::pair<WPARAM, tCallbackAction> cases[] = {
        { WTS_CONSOLE_CONNECT, tCallbackAction::Advise },
        { WTS_CONSOLE_DISCONNECT, tCallbackAction::Unadvise },
        { WTS_REMOTE_CONNECT, tCallbackAction::None },
        { WTS_REMOTE_DISCONNECT, tCallbackAction::None },
        { WTS_SESSION_LOGON, tCallbackAction::Advise },
        { WTS_SESSION_LOGOFF, tCallbackAction::Unadvise },
        { WTS_SESSION_LOCK, tCallbackAction::Unadvise },
        { WTS_SESSION_UNLOCK, tCallbackAction::Advise },
        { 9, tCallbackAction::None },
        { 0, tCallbackAction::None },
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecideSessionChange(c.first), c.second) << "code " << c.first;
}
}
