#include "CFillBar.h"

#include "WindowTestSupport.h"

#include <gtest/gtest.h>

TEST(CFillBar, FillsLeftOfItsPositionAndClampsIt)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, L"", WS_POPUP, CRect(600, 500, 820, 530), nullptr, nullptr));
    frame.ShowWindow(SW_SHOWNOACTIVATE);
    CFillBar bar;
    ASSERT_TRUE(bar.Create(CRect(10, 10, 210, 20), &frame, RGB(0, 200, 0), RGB(40, 0, 0)));
    EXPECT_DOUBLE_EQ(bar.GetPixelsPerPercent(), 2.0);
    bar.SetPercent(25);
    EXPECT_EQ(bar.GetFillPosition(), 50);
    bar.UpdateWindow();
    WindowTest::PumpFor(100);
    EXPECT_EQ(WindowTest::ScreenPixel(bar.m_hWnd, CPoint(49, 5)), RGB(0, 200, 0));
    EXPECT_EQ(WindowTest::ScreenPixel(bar.m_hWnd, CPoint(50, 5)), RGB(40, 0, 0));
    bar.SetFillPosition(500);
    EXPECT_EQ(bar.GetFillPosition(), 200);
    bar.SetFillPosition(-3);
    EXPECT_EQ(bar.GetFillPosition(), 0);
}
