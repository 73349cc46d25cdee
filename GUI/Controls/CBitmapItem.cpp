#include "CBitmapItem.h"

#include "BitmapHelpers.h"
#include "CBitmapBtn.h"
#include "CLangTable.h"
#include "CMemDC2.h"
#include "CPaintDC.h"
#include "CSelectObject.h"

bool CBitmapItem::Create(const RECT& rect, CWnd* parent, DWORD style)
{
    return CWnd::Create(nullptr, L"", style, rect, parent, 0);
}

void CBitmapItem::SetBitmap(const CBitmap* bitmap, const CBitmap* mask)
{
    m_pBitmap = bitmap && !bitmap->IsNull() ? bitmap : nullptr;
    if (mask && !mask->IsNull())
    {
        CRect client;
        GetClientRect(&client);
        CBitmap scaled = ScaleBitmap(mask, client.Width(), client.Height());
        HRGN region = CreateRegionFromBitmap(scaled);
        if (region && !SetWindowRgn(region, true))
            ::DeleteObject(region);
    }
    Invalidate(false);
}

void CBitmapItem::SetItemToolTipText(const CString& text)
{
    if (!m_hWnd)
        return;
    CString shown;
    LookupText(text, shown);
    m_toolTip.SetToolText(this, shown);
}

bool CBitmapItem::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    case WM_PRINTCLIENT: // void DrawBitmap(HDC): a masked control asks what lies under it
        DrawBitmap(reinterpret_cast<HDC>(wParam));
        return true;
    case WM_ERASEBKGND: // the bitmap covers the whole client area
        result = TRUE;
        return true;
    case WM_COMMAND: // passed on to the parent, posted
        ::PostMessageW(GetParentHandle(), message, wParam, lParam);
        return true;
    default:
        break;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

void CBitmapItem::OnPaint()
{
    CPaintDC paint(m_hWnd);
    CRect client;
    GetClientRect(&client);
    CMemDC2 dc(paint, &client);
    DrawBitmap(dc);
}

void CBitmapItem::DrawBitmap(HDC target)
{
    if (!m_pBitmap || !target)
        return;
    CRect client;
    GetClientRect(&client);
    CDC imageDC;
    if (!imageDC.CreateCompatibleDC(target))
        return;
    const CSize size = m_pBitmap->GetSize();
    CSelectObject select(imageDC, *m_pBitmap);
    ::SetStretchBltMode(target, COLORONCOLOR);
    ::StretchBlt(target, 0, 0, client.Width(), client.Height(), imageDC, 0, 0, size.cx, size.cy, SRCCOPY);
}
