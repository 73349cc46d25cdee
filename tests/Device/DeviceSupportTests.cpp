#include "CCritSec.h"
#include "CDeviceListener.h"
#include "CProgressMessenger.h"
#include "CSessionListener.h"
#include "RegistryString.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ParseDevicePathNumber, ReadsTheVendorAndProductNumbers)
{
    struct Case { const wchar_t* path; const wchar_t* tag; int number; };
    const Case cases[] = {
        { L"\\\\?\\HID#VID_6C1F&PID_0111#7&1a2b&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}", L"VID_", 0x6C1F },
        { L"\\\\?\\hid#vid_6c1f&pid_0111#7&1a2b", L"PID_", 0x0111 },
        { L"\\\\?\\hid#vid_6c1f#7&1a2b", L"PID_", 0 },
        { L"\\\\?\\hid#vid_zzzz", L"VID_", 0 },
        { L"VID_12", L"VID_", 0x12 },
        { L"VID_123456", L"VID_", 0x1234 },
        { L"", L"VID_", 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseDevicePathNumber(c.path, c.tag), c.number) << c.path;
}

TEST(CSingleLock, LocksForItsScope)
{
    CCritSec guard;
    CSingleLock lock(&guard.Section(), true);
    EXPECT_TRUE(lock.IsLocked());
    lock.Unlock();
    EXPECT_FALSE(lock.IsLocked());
    CSingleLock none(nullptr, true);
    EXPECT_FALSE(none.IsLocked());
}

namespace
{
class ScratchKey
{
    HKEY m_key = nullptr;

public:
    ScratchKey()
    {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\VelmoraTests\\RegistryString", 0, nullptr, 0,
            KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
    }
    ~ScratchKey()
    {
        if (m_key)
            RegCloseKey(m_key);
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VelmoraTests\\RegistryString");
    }
    HKEY Get() const { return m_key; }
};
}

TEST(ReadRegistryString, ValuesOfAnyLengthAreReadWhole)
{
    ScratchKey key;
    ASSERT_NE(key.Get(), nullptr);
    struct Case { const wchar_t* name; CString text; DWORD type; bool terminated; };
    const Case cases[] = {
        { L"Short", CString(L's', 39), REG_SZ, true },
        { L"Forty", CString(L'f', 40), REG_SZ, true },
        { L"Folder", CString(L'l', 60), REG_SZ, true },
        { L"Long", CString(L'x', 1000), REG_SZ, true },
        { L"Expand", CString(L'e', 70), REG_EXPAND_SZ, true },
        // A value stored without its terminator is still taken whole.
        { L"Bare", CString(L'b', 45), REG_SZ, false },
        { L"Empty", CString(), REG_SZ, true },
    };
    for (const Case& c : cases) {
        const DWORD bytes = static_cast<DWORD>((c.text.GetLength() + (c.terminated ? 1 : 0)) * sizeof(wchar_t));
        ASSERT_EQ(RegSetValueExW(key.Get(), c.name, 0, c.type, reinterpret_cast<const BYTE*>(c.text.GetString()), bytes),
            ERROR_SUCCESS);
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CString read(L"stale");
        EXPECT_EQ(ReadRegistryString(key.Get(), c.name, read), ERROR_SUCCESS);
        EXPECT_EQ(read, c.text);
    }
}

TEST(ReadRegistryString, OtherTypesAndMissingValuesGiveNoText)
{
    ScratchKey key;
    ASSERT_NE(key.Get(), nullptr);
    const DWORD number = 7;
    RegSetValueExW(key.Get(), L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    const CString text(L'e', 40);
    RegSetValueExW(key.Get(), L"Binary", 0, REG_BINARY, reinterpret_cast<const BYTE*>(text.GetString()), 80);
    CString read(L"stale");
    EXPECT_EQ(ReadRegistryString(key.Get(), L"Number", read), ERROR_INVALID_DATA);
    EXPECT_TRUE(read.IsEmpty());
    read = L"stale";
    EXPECT_EQ(ReadRegistryString(key.Get(), L"Binary", read), ERROR_INVALID_DATA);
    EXPECT_TRUE(read.IsEmpty());
    read = L"stale";
    EXPECT_EQ(ReadRegistryString(key.Get(), L"Missing", read), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(read.IsEmpty());
}

TEST(Listeners, NullWindowsAreNotRegistered)
{
    CDeviceListener devices;
    CSessionListener sessions;
    EXPECT_FALSE(devices.Register(nullptr));
    EXPECT_FALSE(sessions.Register(nullptr));
    EXPECT_EQ(devices.GetCount(), 0);
    EXPECT_EQ(sessions.GetCount(), 0);
}

namespace
{
struct Received
{
    HWND window;
    UINT message;
    WPARAM sender;
    LPARAM value;
    CString text;
};

std::vector<Received> g_received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GUI_PROGRESS || message == WM_GUI_PROGRESS_TEXT) {
        CString text = message == WM_GUI_PROGRESS_TEXT ? CString(reinterpret_cast<const wchar_t*>(lParam)) : CString();
        g_received.push_back({ window, message, wParam, lParam, text });
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class MessageWindow
{
    HWND m_window;

public:
    MessageWindow()
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"VelmoraProgressTest";
        RegisterClassW(&windowClass);
        m_window = CreateWindowExW(0, L"VelmoraProgressTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
            windowClass.hInstance, nullptr);
    }
    ~MessageWindow()
    {
        if (m_window)
            DestroyWindow(m_window);
    }
    HWND Get() const { return m_window; }
};
}

TEST(CProgressMessenger, SendsToEveryWindowInOrder)
{
    g_received.clear();
    CProgressMessenger messenger;
    messenger.SendProgress(10);
    EXPECT_TRUE(g_received.empty());

    MessageWindow first, second;
    ASSERT_NE(first.Get(), nullptr);
    messenger.AddWindow(first.Get());
    messenger.AddWindow(second.Get());
    messenger.AddWindow(first.Get());
    messenger.AddWindow(nullptr);
    messenger.SendProgress(42);
    messenger.SendProgressText(L"Loading");
    ASSERT_EQ(g_received.size(), 4u);
    EXPECT_EQ(g_received[0].window, first.Get());
    EXPECT_EQ(g_received[0].value, 42);
    EXPECT_EQ(g_received[0].sender, reinterpret_cast<WPARAM>(&messenger));
    EXPECT_EQ(g_received[1].window, second.Get());
    EXPECT_EQ(g_received[3].message, WM_GUI_PROGRESS_TEXT);
    EXPECT_EQ(g_received[3].text, L"Loading");

    messenger.RemoveWindow(first.Get());
    g_received.clear();
    messenger.SendProgress(1);
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].window, second.Get());
}

TEST(Listeners, RegisterAndUnregisterAWindow)
{
    MessageWindow window;
    ASSERT_NE(window.Get(), nullptr);
    CDeviceListener devices;
    CSessionListener sessions;
    EXPECT_TRUE(devices.Register(window.Get()));
    EXPECT_EQ(devices.GetCount(), 1);
    sessions.Register(window.Get());
    devices.UnregisterAll();
    sessions.UnregisterAll();
    EXPECT_EQ(devices.GetCount(), 0);
    EXPECT_EQ(sessions.GetCount(), 0);
}
