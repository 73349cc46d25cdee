#include "CTrayNotifyIcon.h"
#include "SysTrayResource.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <string>

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
