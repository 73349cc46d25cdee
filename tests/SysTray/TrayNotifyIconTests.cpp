#include "CTrayNotifyIcon.h"
#include "SysTrayResource.h"
#include "WindowTestSupport.h"

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
// Records the commands the icon sends its owner.
class COwner : public CWnd
{
public:
    UINT lastCommand = 0;

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_COMMAND)
        {
            lastCommand = LOWORD(wParam);
            return true;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
};

class TrayIcon : public testing::Test
{
protected:
    COwner m_owner;
    CTrayNotifyIcon m_icon;
    HICON m_image = ::LoadIconW(nullptr, IDI_APPLICATION);

    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateEx(0, nullptr, L"tray icon owner", WS_POPUP, RECT{}, nullptr, nullptr));
    }
};
}

TEST_F(TrayIcon, AddsItselfWithTheTrayProgramsIdentity)
{
    const std::wstring tooltip(200, L't');
    ASSERT_TRUE(m_icon.Create(&m_owner, tooltip.c_str(), m_image));
    EXPECT_TRUE(m_icon.IsAdded());
    const NOTIFYICONDATAW& record = m_icon.GetRecord();
    EXPECT_EQ(record.cbSize, CTrayNotifyIcon::GetRecordSize(m_icon.GetShellLevel()));
    EXPECT_EQ(record.hWnd, m_owner.m_hWnd);
    EXPECT_EQ(record.uID, 129u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 0x464u);
    EXPECT_EQ(std::wstring(record.szTip), tooltip.substr(0, 127));
    wchar_t title[64] = {};
    ::GetWindowTextW(m_icon.m_hWnd, title, 64);
    EXPECT_STREQ(title, L"CTrayNotifyIcon Helper Window");
    EXPECT_FALSE(m_icon.IsWindowVisible());
    EXPECT_EQ(m_icon.GetMenu().GetSubMenu(0).GetDefaultItem(), static_cast<UINT>(ID_LOAD_VELMORA));
}

TEST_F(TrayIcon, RecordSizesFollowTheShellLevel)
{
    EXPECT_EQ(CTrayNotifyIcon::GetRecordSize(0), static_cast<DWORD>(NOTIFYICONDATAW_V1_SIZE));
    EXPECT_EQ(CTrayNotifyIcon::GetRecordSize(1), static_cast<DWORD>(NOTIFYICONDATAW_V2_SIZE));
    EXPECT_EQ(CTrayNotifyIcon::GetRecordSize(2), static_cast<DWORD>(NOTIFYICONDATAW_V3_SIZE));
    EXPECT_EQ(CTrayNotifyIcon::GetRecordSize(3), static_cast<DWORD>(sizeof(NOTIFYICONDATAW)));
#ifndef _WIN64
    EXPECT_EQ(CTrayNotifyIcon::GetRecordSize(0), 152u);
    EXPECT_EQ(CTrayNotifyIcon::GetRecordSize(1), 936u);
    EXPECT_EQ(CTrayNotifyIcon::GetRecordSize(2), 952u);
    EXPECT_EQ(CTrayNotifyIcon::GetRecordSize(3), 956u);
#endif
}

TEST_F(TrayIcon, ComesBackWhenTheTaskBarIsMadeAgain)
{
    ASSERT_TRUE(m_icon.Create(&m_owner, L"Kavro Velmora", m_image));
    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    ASSERT_NE(taskbarCreated, 0u);
    ::SendMessageW(m_icon.m_hWnd, taskbarCreated, 0, 0);
    EXPECT_TRUE(m_icon.IsAdded());
    m_icon.Remove();
    EXPECT_FALSE(m_icon.IsAdded());
    ::SendMessageW(m_icon.m_hWnd, taskbarCreated, 0, 0);
    EXPECT_TRUE(m_icon.IsAdded());
}

TEST_F(TrayIcon, ADoubleClickSendsTheDefaultItemAndAnotherIconIsIgnored)
{
    ASSERT_TRUE(m_icon.Create(&m_owner, L"Kavro Velmora", m_image));
    EXPECT_EQ(m_icon.OnTrayNotification(130, WM_LBUTTONDBLCLK, POINT{}), 0);
    EXPECT_EQ(m_owner.lastCommand, 0u);
    EXPECT_EQ(m_icon.OnTrayNotification(129, WM_LBUTTONDOWN, POINT{}), 1);
    EXPECT_EQ(m_owner.lastCommand, 0u);
    EXPECT_EQ(m_icon.OnTrayNotification(129, WM_LBUTTONDBLCLK, POINT{}), 1);
    EXPECT_EQ(m_owner.lastCommand, static_cast<UINT>(ID_LOAD_VELMORA));
}

TEST_F(TrayIcon, FailsWithoutAnOwnerWindow)
{
    EXPECT_FALSE(m_icon.Create(nullptr, L"Kavro Velmora", m_image));
    EXPECT_FALSE(m_icon.IsAdded());
}

namespace
{
// Records the icon's callback messages the shell sends its owner.
class CCallbackOwner : public CWnd
{
public:
    std::vector<LPARAM> mouseMessages;

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == CTrayNotifyIcon::kCallbackMessage && wParam == CTrayNotifyIcon::kIconId)
        {
            mouseMessages.push_back(lParam);
            return true;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
};

bool IsTrayProgramRunning()
{
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return true;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    bool found = false;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more && !found; more = ::Process32NextW(snapshot, &entry))
        found = ::lstrcmpiW(entry.szExeFile, L"KavroVelmoraSysTray.exe") == 0;
    ::CloseHandle(snapshot);
    return found;
}

bool Contains(const std::vector<LPARAM>& messages, LPARAM message)
{
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}
}

// A real click on the icon in the notification area reaches the owner as the callback.
TEST(TrayIconShell, AClickOnTheIconReachesItsOwner)
{
    // The tray program's own process tests may run meanwhile: with its icon there first, the
    // test's icon would not be the first in the area.
    if (IsTrayProgramRunning())
        GTEST_SKIP() << "the tray program runs; its icon comes first";
    CCallbackOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"tray icon owner", WS_POPUP, RECT{}, nullptr, nullptr));
    CTrayNotifyIcon icon;
    ASSERT_TRUE(icon.Create(&owner, L"Kavro Velmora", ::LoadIconW(nullptr, IDI_APPLICATION)));
    // A desktop shell's area, or the one Wine shows in a window of its own without one.
    HWND tray = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!tray || !::IsWindowVisible(tray))
        tray = ::FindWindowW(L"__winex11_standalone_tray", nullptr);
    if (!tray || !::IsWindowVisible(tray))
        GTEST_SKIP() << "no notification area window on this display";
    WindowTest::PumpFor(300);
    // The only icon is the first, a small icon with a two-pixel border on each side.
    const int iconSize = ::GetSystemMetrics(SM_CXSMICON) + 4;
    const POINT centre = { iconSize / 2, iconSize / 2 };
    ASSERT_TRUE(WindowTest::ClickAt(tray, centre));
    EXPECT_TRUE(WindowTest::PumpUntil([&] { return Contains(owner.mouseMessages, WM_LBUTTONUP); }, 3000))
        << "messages: " << owner.mouseMessages.size();
    EXPECT_TRUE(Contains(owner.mouseMessages, WM_LBUTTONDOWN));
}
