#include "CFillBar.h"

#include "CMemDC2.h"
#include "CPaintDC.h"

bool CFillBar::Create(const RECT& rect, CWnd* parent, COLORREF fill, COLORREF back)
{
    m_fillColour = fill;
    m_backColour = back;
    if (!CStatic::Create(L"", WS_VISIBLE, rect, parent))
        return false;
    CRect client;
    GetClientRect(&client);
    m_pixelsPerPercent = client.Width() / 100.0;
    return true;
}

void CFillBar::SetFillPosition(int pixels)
{
    CRect client;
    GetClientRect(&client);
    const int clamped = pixels < 0 ? 0 : (pixels > client.Width() ? client.Width() : pixels);
    if (clamped == m_fillPosition)
        return;
    m_fillPosition = clamped;
    Invalidate(false);
}

void CFillBar::SetPercent(int percent)
{
    SetFillPosition(static_cast<int>(percent * m_pixelsPerPercent + 0.5));
}

bool CFillBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    case WM_ERASEBKGND: // painting covers the bar
        result = TRUE;
        return true;
    default:
        break;
    }
    return CStatic::OnWndMsg(message, wParam, lParam, result);
}

void CFillBar::OnPaint()
{
    CPaintDC paint(m_hWnd);
    CRect client;
    GetClientRect(&client);
    CMemDC2 dc(paint, &client);
    dc.FillSolidRect(CRect(client.left, client.top, client.left + m_fillPosition, client.bottom), m_fillColour);
    dc.FillSolidRect(CRect(client.left + m_fillPosition, client.top, client.right, client.bottom), m_backColour);
}
