#include "CGenericPanel.h"

#include "BitmapHelpers.h"
#include "CBrush.h"
#include "CDC.h"
#include "CMemDC2.h"
#include "CPaintDC.h"
#include "CPen.h"
#include "CSelectObject.h"

bool CGenericPanel::Create(const RECT& rect, CWnd* parent, int borderWidth, const CBitmap* bitmap, const CBitmap* mask)
{
    m_borderWidth = borderWidth < 0 ? 0 : borderWidth;
    m_pBitmap = bitmap && !bitmap->IsNull() ? bitmap : nullptr;
    CRect place(rect);
    if (m_pBitmap)
    {
        const CSize size = m_pBitmap->GetSize();
        if (size.cx >= place.Width() && size.cy >= place.Height())
            place = CRect(place.TopLeft(), size);
    }
    if (!CStatic::Create(L"", WS_VISIBLE, place, parent))
        return false;
    if (mask && !mask->IsNull())
    {
        HRGN region = CreateRegionFromBitmap(*mask);
        if (region && !SetWindowRgn(region, true))
            ::DeleteObject(region);
    }
    return true;
}

void CGenericPanel::SetColours(COLORREF fill, COLORREF border)
{
    m_fillColour = fill;
    m_borderColour = border;
    Invalidate(false);
}

CRect CGenericPanel::GetInnerRect() const
{
    CRect rect;
    GetWindowRect(&rect);
    ::MapWindowPoints(nullptr, GetParentHandle(), reinterpret_cast<POINT*>(&rect), 2);
    rect.DeflateRect(m_borderWidth, m_borderWidth);
    return rect;
}

bool CGenericPanel::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    case WM_ERASEBKGND: // painting covers the panel
        result = TRUE;
        return true;
    default:
        break;
    }
    return CStatic::OnWndMsg(message, wParam, lParam, result);
}

void CGenericPanel::OnPaint()
{
    CPaintDC paint(m_hWnd);
    CRect client;
    GetClientRect(&client);
    CMemDC2 dc(paint, &client);
    if (m_pBitmap)
    {
        CDC imageDC;
        if (imageDC.CreateCompatibleDC(dc))
        {
            const CSize size = m_pBitmap->GetSize();
            CSelectObject select(imageDC, *m_pBitmap);
            dc.BitBlt((client.Width() - size.cx) / 2, (client.Height() - size.cy) / 2, size.cx, size.cy, imageDC, 0, 0,
                SRCCOPY);
        }
    }
    else
    {
        dc.FillSolidRect(client, m_fillColour);
    }
    if (m_borderWidth <= 0)
        return;
    CPen pen;
    if (!pen.CreatePen(PS_SOLID, m_borderWidth, m_borderColour))
        return;
    CSelectObject selectPen(dc, pen);
    CSelectObject selectBrush(dc, ::GetStockObject(NULL_BRUSH));
    const int before = m_borderWidth / 2;
    const int after = m_borderWidth - before;
    dc.Rectangle(CRect(client.left + before, client.top + before, client.right - after + 1, client.bottom - after + 1));
}
