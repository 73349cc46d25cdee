#include "TrayNotifications.h"

#include <dbt.h>
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{
// A device-interface record with the name, as Windows hands it over.
std::vector<BYTE> InterfaceRecord(const wchar_t* name, DWORD type = DBT_DEVTYP_DEVICEINTERFACE)
{
    const size_t nameBytes = (wcslen(name) + 1) * sizeof(wchar_t);
    std::vector<BYTE> bytes(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + nameBytes, 0);
    auto* record = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(bytes.data());
    record->dbcc_size = static_cast<DWORD>(bytes.size());
    record->dbcc_devicetype = type;
    std::memcpy(record->dbcc_name, name, nameBytes);
    return bytes;
}

const DEV_BROADCAST_HDR* Header(const std::vector<BYTE>& bytes)
{
    return reinterpret_cast<const DEV_BROADCAST_HDR*>(bytes.data());
}
}

TEST(ClassifyDeviceChange, KnowsTheKeypadByItsInterfaceName)
{
    const auto keypad = InterfaceRecord(L"\\\\?\\hid#vid_6c1f&pid_0111&mi_00#7&1&0#{378de44c-56ef-11d1-bc8c-00a0c91405dd}");
    const auto otherProduct = InterfaceRecord(L"\\\\?\\HID#VID_6C1F&PID_0222#1#{378de44c-56ef-11d1-bc8c-00a0c91405dd}");
    const auto otherVendor = InterfaceRecord(L"\\\\?\\HID#VID_1234&PID_0111#1#{378de44c-56ef-11d1-bc8c-00a0c91405dd}");
    const auto volume = InterfaceRecord(L"\\\\?\\HID#VID_6C1F&PID_0111#1", DBT_DEVTYP_VOLUME);
    struct Case
    {
        const char* description;
        WPARAM event;
        const DEV_BROADCAST_HDR* header;
        TrayDeviceAction action;
    };
    const Case cases[] = {
        { "keypad arrival, name in lower case", DBT_DEVICEARRIVAL, Header(keypad), TrayDeviceAction::kKeypadArrived },
        { "keypad removal", DBT_DEVICEREMOVECOMPLETE, Header(keypad), TrayDeviceAction::kKeypadRemoved },
        { "the vendor's other product", DBT_DEVICEARRIVAL, Header(otherProduct), TrayDeviceAction::kNone },
        { "another vendor's device", DBT_DEVICEREMOVECOMPLETE, Header(otherVendor), TrayDeviceAction::kNone },
        { "another device type", DBT_DEVICEARRIVAL, Header(volume), TrayDeviceAction::kNone },
        { "an arrival without a record", DBT_DEVICEARRIVAL, nullptr, TrayDeviceAction::kNone },
        { "a node change asks about the keypad", DBT_DEVNODES_CHANGED, nullptr, TrayDeviceAction::kCheckPresence },
        { "a removal request", DBT_DEVICEQUERYREMOVE, Header(keypad), TrayDeviceAction::kNone },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.description);
        EXPECT_EQ(ClassifyDeviceChange(c.event, c.header), c.action);
    }
}

TEST(ClassifyDeviceChange, ReadsNoFurtherThanTheRecordsSize)
{
    auto record = InterfaceRecord(L"\\\\?\\HID#VID_6C1F&PID_0111");
    // The name's terminator and its last four characters lie outside the stated size.
    reinterpret_cast<DEV_BROADCAST_HDR*>(record.data())->dbch_size -= 5 * sizeof(wchar_t);
    EXPECT_EQ(ClassifyDeviceChange(DBT_DEVICEARRIVAL, Header(record)), TrayDeviceAction::kNone);
}

TEST(ClassifySessionChange, ResumesAndSuspendsByCode)
{
    const std::pair<WPARAM, TraySessionAction> cases[] = {
        { WTS_CONSOLE_CONNECT, TraySessionAction::kResume },
        { WTS_SESSION_LOGON, TraySessionAction::kResume },
        { WTS_SESSION_UNLOCK, TraySessionAction::kResume },
        { WTS_CONSOLE_DISCONNECT, TraySessionAction::kSuspend },
        { WTS_SESSION_LOGOFF, TraySessionAction::kSuspend },
        { WTS_SESSION_LOCK, TraySessionAction::kSuspend },
        { WTS_REMOTE_CONNECT, TraySessionAction::kNone },
        { WTS_REMOTE_DISCONNECT, TraySessionAction::kNone },
        { 9, TraySessionAction::kNone },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(ClassifySessionChange(c.first), c.second);
    }
}
