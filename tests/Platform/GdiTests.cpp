#include "CBitmap.h"
#include "CBrush.h"
#include "CDC.h"
#include "CFont.h"
#include "CPaintDC.h"
#include "CPen.h"
#include "CRgn.h"
#include "CSelectObject.h"
#include "CWnd.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

static_assert(!std::is_copy_constructible_v<CBitmap> && std::is_move_constructible_v<CBitmap>);
static_assert(!std::is_copy_assignable_v<CFont> && std::is_move_assignable_v<CFont>);
static_assert(!std::is_copy_constructible_v<CBrush> && !std::is_copy_constructible_v<CPen>);
static_assert(!std::is_copy_constructible_v<CRgn> && !std::is_copy_constructible_v<CDC>);

namespace
{
bool IsLiveGdiObject(HGDIOBJ object)
{
    return ::GetObjectType(object) != 0;
}

// Paints its client area red with a blue square through CPaintDC.
class CPaintingWnd : public CWnd
{
public:
    int m_paints = 0;

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_PAINT) // void OnPaint()
        {
            CPaintDC dc(m_hWnd);
            CRect client;
            GetClientRect(&client);
            dc.FillSolidRect(client, RGB(200, 0, 0));
            CBrush blue;
            blue.CreateSolidBrush(RGB(0, 0, 220));
            dc.FillRect(CRect(10, 10, 30, 30), blue);
            ++m_paints;
            return true;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
};
}

TEST(GdiObjects, OwnerFreesOnceAndMovesOwnership)
{
    CBrush first;
    ASSERT_TRUE(first.CreateSolidBrush(RGB(1, 2, 3)));
    HGDIOBJ handle = first.GetSafeHandle();
    CBrush second(std::move(first));
    EXPECT_TRUE(first.IsNull());
    EXPECT_EQ(second.GetSafeHandle(), handle);
    EXPECT_TRUE(second.DeleteObject());
    EXPECT_FALSE(IsLiveGdiObject(handle));
    EXPECT_FALSE(second.DeleteObject()) << "a second delete does nothing";

    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 2, RGB(0, 0, 0)));
    HGDIOBJ penHandle = pen.Detach();
    EXPECT_TRUE(pen.IsNull());
    EXPECT_TRUE(IsLiveGdiObject(penHandle));
    ::DeleteObject(penHandle);
}

TEST(GdiObjects, AttachFreesThePreviousObject)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateDIBSection32(3, 2));
    HGDIOBJ old = bitmap.GetSafeHandle();
    EXPECT_EQ(bitmap.GetSize(), CSize(3, 2));
    bitmap.Attach(::CreateBitmap(5, 4, 1, 1, nullptr));
    EXPECT_FALSE(IsLiveGdiObject(old));
    EXPECT_EQ(bitmap.GetSize(), CSize(5, 4));
    EXPECT_EQ(CBitmap().GetSize(), CSize(0, 0));
}

TEST(GdiObjects, RegionCombinesAndCompares)
{
    CRgn a;
    CRgn b;
    CRgn both;
    ASSERT_TRUE(a.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(b.CreateRectRgn(10, 0, 20, 10));
    ASSERT_TRUE(both.CreateRectRgn(0, 0, 0, 0));
    EXPECT_NE(both.CombineRgn(a, b, RGN_OR), ERROR);
    CRgn whole;
    ASSERT_TRUE(whole.CreateRectRgn(0, 0, 20, 10));
    EXPECT_TRUE(both.EqualRgn(whole));
    EXPECT_TRUE(both.PtInRegion(15, 5));
    EXPECT_EQ(CRgn().CombineRgn(a, b, RGN_OR), ERROR);
}

TEST(DeviceContexts, SelectionIsRestoredAtScopeEnd)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateDIBSection32(4, 4));
    HGDIOBJ before = ::GetCurrentObject(dc, OBJ_BITMAP);
    {
        CSelectObject select(dc, bitmap);
        EXPECT_TRUE(select.IsSelected());
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), bitmap.GetSafeHandle());
    }
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), before);
}

TEST(DeviceContexts, DrawTextNeverWritesIntoTheCallersString)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateDIBSection32(40, 20));
    CSelectObject select(dc, bitmap);
    const CString text(L"A rather long caption that cannot fit");
    CString shared = text;
    CRect rect(0, 0, 40, 20);
    EXPECT_GT(dc.DrawText(shared, &rect, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING), 0);
    EXPECT_EQ(shared, text);
}

TEST(DeviceContexts, PaintDCPaintsTheWindow)
{
    CPaintingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"Paint", WS_POPUP, CRect(400, 300, 480, 360), nullptr, nullptr));
    wnd.ShowWindow(SW_SHOWNOACTIVATE);
    wnd.UpdateWindow();
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return wnd.m_paints > 0; }));
    WindowTest::PumpFor(100);
    EXPECT_EQ(WindowTest::ScreenPixel(wnd.m_hWnd, CPoint(50, 40)), RGB(200, 0, 0));
    EXPECT_EQ(WindowTest::ScreenPixel(wnd.m_hWnd, CPoint(20, 20)), RGB(0, 0, 220));
}
