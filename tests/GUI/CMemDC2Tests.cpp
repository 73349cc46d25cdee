#include "CMemDC2.h"

#include "CPaintDC.h"
#include "CSelectObject.h"
#include "CWnd.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

namespace
{
// Paints through CMemDC2: background from the target, a green square drawn off-screen.
class CBufferedWnd : public CWnd
{
public:
    int m_paints = 0;
    bool m_offScreen = false;

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_PAINT) // void OnPaint()
        {
            CPaintDC paint(m_hWnd);
            paint.SetBkColor(RGB(10, 20, 30));
            CRect client;
            GetClientRect(&client);
            {
                CMemDC2 dc(paint, &client);
                m_offScreen = dc.IsOffScreen();
                dc.FillSolidRect(CRect(20, 20, 40, 40), RGB(0, 200, 0));
            }
            ++m_paints;
            return true;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
};
}

TEST(CMemDC2, DrawsOffScreenAndCopiesBackOnDestruction)
{
    CBufferedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"Buffered", WS_POPUP, CRect(500, 100, 580, 160), nullptr, nullptr));
    wnd.ShowWindow(SW_SHOWNOACTIVATE);
    wnd.UpdateWindow();
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return wnd.m_paints > 0; }));
    WindowTest::PumpFor(100);
    EXPECT_TRUE(wnd.m_offScreen);
    EXPECT_EQ(WindowTest::ScreenPixel(wnd.m_hWnd, CPoint(5, 5)), RGB(10, 20, 30));
    EXPECT_EQ(WindowTest::ScreenPixel(wnd.m_hWnd, CPoint(30, 30)), RGB(0, 200, 0));
}

TEST(CMemDC2, SubRectangleKeepsTheTargetsCoordinates)
{
    CDC target;
    ASSERT_TRUE(target.CreateCompatibleDC(nullptr));
    CBitmap canvas;
    ASSERT_TRUE(canvas.CreateDIBSection32(50, 50));
    CSelectObject select(target, canvas);
    target.FillSolidRect(CRect(0, 0, 50, 50), RGB(255, 255, 255));
    target.SetBkColor(RGB(1, 2, 3));
    const CRect part(10, 10, 30, 30);
    {
        CMemDC2 dc(target, &part);
        EXPECT_EQ(dc.GetRect(), part);
        dc.FillSolidRect(CRect(20, 20, 25, 25), RGB(200, 0, 0));
    }
    EXPECT_EQ(::GetPixel(target, 5, 5), RGB(255, 255, 255)) << "outside the rectangle nothing changes";
    EXPECT_EQ(::GetPixel(target, 12, 12), RGB(1, 2, 3)) << "the rectangle is filled with the background";
    EXPECT_EQ(::GetPixel(target, 22, 22), RGB(200, 0, 0));
}
