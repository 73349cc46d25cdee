#include "COnScreenNotice.h"
#include "NoticeGeometry.h"
#include "WindowTestSupport.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
class Notice : public testing::Test
{
protected:
    bool m_com = false;
    COnScreenNotice m_notice;

    void SetUp() override
    {
        // The tray's dialog has COM initialised before the notices are made.
        m_com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        ASSERT_TRUE(m_com);
        ASSERT_HRESULT_SUCCEEDED(m_notice.Create());
    }
    void TearDown() override
    {
        if (m_com)
            CoUninitialize();
    }

    bool TextShown() const { return ::IsWindowVisible(m_notice.GetTextWindow()) != FALSE; }
};

std::wstring ClassOf(HWND wnd)
{
    wchar_t name[64] = {};
    ::GetClassNameW(wnd, name, 64);
    return name;
}
}

TEST_F(Notice, MakesTwoHiddenClickThroughTopMostWindows)
{
    const HWND windows[] = { m_notice.GetTextWindow(), m_notice.GetSliderWindow() };
    EXPECT_EQ(ClassOf(windows[0]), L"csl_osd");
    EXPECT_EQ(ClassOf(windows[1]), L"csl_osdslider");
    for (HWND wnd : windows)
    {
        ASSERT_TRUE(::IsWindow(wnd));
        EXPECT_FALSE(::IsWindowVisible(wnd));
        EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrW(wnd, GWL_EXSTYLE)) & 0x080800A8u, 0x080800A8u);
        EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrW(wnd, GWL_STYLE)) & WS_POPUP, static_cast<DWORD>(WS_POPUP));
    }
}

// The test display is 1280 x 1024 at 96 pixels per inch: scale 1.333..., a 26-pixel font.
TEST_F(Notice, SitsAlongTheBottomOfThePrimaryMonitor)
{
    ASSERT_EQ(::GetSystemMetrics(SM_CXSCREEN), 1280);
    ASSERT_EQ(::GetSystemMetrics(SM_CYSCREEN), 1024);
    EXPECT_NEAR(GetNoticeScale(), 96.0f / 72.0f, 0.001f);
    RECT text;
    ASSERT_TRUE(::GetWindowRect(m_notice.GetTextWindow(), &text));
    EXPECT_EQ(text.left, 0);
    EXPECT_EQ(text.right, 1270);
    EXPECT_EQ(text.top, 1024 - 76);
    EXPECT_EQ(text.bottom, 1024 - 50);
    RECT slider;
    ASSERT_TRUE(::GetWindowRect(m_notice.GetSliderWindow(), &slider));
    EXPECT_EQ(slider.right, 1270);
    EXPECT_EQ(slider.right - slider.left, 119);
    EXPECT_EQ(slider.bottom - slider.top, 13 + 240 + 12);
    EXPECT_EQ(slider.bottom, 1024 - 26 - 60);
}

TEST_F(Notice, ShowsATextForTwoSecondsAndANewTextRestartsThem)
{
    const DWORD start = ::GetTickCount();
    m_notice.Show(L"Racing");
    EXPECT_FALSE(TextShown()) << "shown only once the window handles the request";
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return TextShown(); }, 1000));
    EXPECT_STREQ(m_notice.GetText(), L"Racing");
    WindowTest::PumpFor(1200);
    ASSERT_TRUE(TextShown());
    m_notice.Show(L"Shooter");
    const DWORD second = ::GetTickCount();
    // Past the first text's two seconds, the second one is still up.
    WindowTest::PumpUntil([] { return false; }, 2000 - (second - start) + 600);
    EXPECT_TRUE(TextShown());
    EXPECT_STREQ(m_notice.GetText(), L"Shooter");
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return !TextShown(); }, 2500));
    const DWORD shown = ::GetTickCount() - second;
    EXPECT_GE(shown, 1900u);
    EXPECT_LE(shown, 3000u);
    EXPECT_STREQ(m_notice.GetText(), L"");
}

TEST_F(Notice, KeepsTheForegroundWindow)
{
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"foreground", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, nullptr,
        nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(owner);
    ASSERT_TRUE(WindowTest::BringToForeground(owner));
    m_notice.Show(L"Focus");
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return TextShown(); }, 1000));
    EXPECT_EQ(::GetForegroundWindow(), owner);
    ::DestroyWindow(owner);
}

TEST_F(Notice, CutsALongTextTo254Characters)
{
    const std::wstring text(300, L'n');
    m_notice.Show(text.c_str());
    EXPECT_EQ(std::wstring(m_notice.GetText()), text.substr(0, 254));
}
