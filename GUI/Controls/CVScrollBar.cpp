#include "CVScrollBar.h"

#include "CBitmap.h"
#include "CBrush.h"
#include "CMemDC2.h"
#include "CPaintDC.h"
#include "CPen.h"
#include "CSelectObject.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

namespace
{
int HeightOf(const CBitmap* picture)
{
    return picture ? static_cast<int>(picture->GetSize().cy) : 0;
}
}

int LastScrollPosition(const SCROLLINFO& info)
{
    const int page = static_cast<int>(info.nPage);
    const int last = info.nMax - (page > 0 ? page - 1 : 0);
    return std::max(last, info.nMin);
}

int CVScrollBar::ThumbTopFor(const SCROLLINFO& info, int trackTop, double trackLength)
{
    const int last = LastScrollPosition(info);
    const int range = last - info.nMin;
    if (range <= 0 || info.nPos < info.nMin || info.nPos > last || trackLength <= 0)
        return trackTop;
    return trackTop + static_cast<int>(trackLength * (info.nPos - info.nMin) / range);
}

int CVScrollBar::PositionForThumb(const SCROLLINFO& info, int thumbTop, int trackTop, double trackLength)
{
    const int last = LastScrollPosition(info);
    const int range = last - info.nMin;
    if (range <= 0 || trackLength <= 0)
        return -1;
    const double offset = std::min(std::max(thumbTop - trackTop, 0), static_cast<int>(trackLength));
    const int position = info.nMin + static_cast<int>(std::lround(offset * range / trackLength));
    return std::min(std::max(position, info.nMin), last);
}

int CVScrollBar::GetThumbHeight() const
{
    return HeightOf(m_values.m_pThumb);
}

int CVScrollBar::GetTrackTop() const
{
    return HeightOf(m_values.m_pTop) + HeightOf(m_values.m_pUpArrow);
}

bool CVScrollBar::Create(const RECT& rect, CWnd* parent, HWND owner, UINT id)
{
    m_hOwner = owner;
    if (!CStatic::Create(L"", WS_VISIBLE | WS_GROUP | SS_NOTIFY, rect, parent, id))
        return false;
    Layout();
    return true;
}

void CVScrollBar::SetBitmaps(const CVScrollValues& values)
{
    m_values = values;
    Layout();
    UpdateThumb();
}

void CVScrollBar::SetColours(COLORREF back, COLORREF border)
{
    m_backColour = back;
    m_borderColour = border;
    Invalidate(false);
}

void CVScrollBar::Layout()
{
    CRect client;
    GetClientRect(&client);
    const int top = HeightOf(m_values.m_pTop);
    const int up = HeightOf(m_values.m_pUpArrow);
    const int down = HeightOf(m_values.m_pDownArrow);
    const int bottom = HeightOf(m_values.m_pBottom);
    const int length = client.Height() - top - up - down - bottom - GetThumbHeight();
    if (length <= 0)
    {
        m_trackLength = 0.0;
        return;
    }
    m_trackLength = length;
    m_upArrow = CRect(0, top, client.right, top + up);
    m_downArrow = CRect(0, client.bottom - bottom - down, client.right, client.bottom - bottom);
    m_thumbTop = top + up;
    m_grabOffset = GetThumbHeight() / 2;
}

bool CVScrollBar::OwnerScrollInfo(SCROLLINFO& info) const
{
    info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    return m_hOwner && ::GetScrollInfo(m_hOwner, SB_VERT, &info);
}

void CVScrollBar::UpdateThumb()
{
    SCROLLINFO info;
    if (!m_hWnd || !OwnerScrollInfo(info))
        return;
    m_thumbTop = ThumbTopFor(info, GetTrackTop(), m_trackLength);
    Invalidate(false);
}

void CVScrollBar::SendScroll(int code, int position)
{
    if (m_hOwner)
        ::PostMessageW(m_hOwner, WM_VSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(m_hWnd));
}

bool CVScrollBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message)
    {
    case WM_LBUTTONDOWN: // void OnLButtonDown(POINT point)
    case WM_LBUTTONDBLCLK:
        OnLButtonDown(point);
        return true;
    case WM_MOUSEMOVE: // void OnMouseMove(POINT point)
        OnMouseMove(point);
        return true;
    case WM_LBUTTONUP: // void OnLButtonUp(POINT point)
        OnLButtonUp(point);
        return true;
    case WM_MOUSEWHEEL: // the wheel scrolls the owner, also while the bar has the mouse
        result = m_hOwner ? ::SendMessageW(m_hOwner, message, wParam, lParam) : 0;
        return true;
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    case WM_ERASEBKGND: // painting covers the bar
        result = TRUE;
        return true;
    case WM_SIZE:
        Layout();
        UpdateThumb();
        break;
    default:
        break;
    }
    return CStatic::OnWndMsg(message, wParam, lParam, result);
}

void CVScrollBar::OnLButtonDown(POINT point)
{
    const int thumbHeight = GetThumbHeight();
    if (thumbHeight > 0 && point.y >= m_thumbTop && point.y < m_thumbTop + thumbHeight)
    {
        m_dragging = true;
        m_grabOffset = point.y - m_thumbTop;
        m_lastSentPosition = -1;
        SetCapture();
        return;
    }
    m_upPressed = m_upArrow.PtInRect(point) != FALSE;
    m_downPressed = m_downArrow.PtInRect(point) != FALSE;
    SetCapture();
}

void CVScrollBar::OnMouseMove(POINT point)
{
    if (!m_dragging)
    {
        CRect client;
        GetClientRect(&client);
        const bool inside = client.PtInRect(point) != FALSE;
        if (inside && ::GetCapture() != m_hWnd)
            SetCapture();
        else if (!inside && !(::GetKeyState(VK_LBUTTON) & 0x8000) && m_hOwner)
            ::SetCapture(m_hOwner);
        return;
    }
    const int trackTop = GetTrackTop();
    m_thumbTop = std::min(std::max(static_cast<int>(point.y) - m_grabOffset, trackTop), trackTop + static_cast<int>(m_trackLength));
    SCROLLINFO info;
    if (OwnerScrollInfo(info))
    {
        const int position = PositionForThumb(info, m_thumbTop, trackTop, m_trackLength);
        if (position >= 0 && position != m_lastSentPosition)
        {
            m_lastSentPosition = position;
            SendScroll(SB_THUMBTRACK, position);
        }
    }
    Invalidate(false);
}

void CVScrollBar::OnLButtonUp(POINT point)
{
    const bool dragging = m_dragging;
    const bool up = m_upPressed && m_upArrow.PtInRect(point);
    const bool down = m_downPressed && m_downArrow.PtInRect(point);
    m_dragging = m_upPressed = m_downPressed = false;
    CRect client;
    GetClientRect(&client);
    // The bar keeps the mouse while the pointer is over it, so that the next click is its own.
    if (m_hOwner && !client.PtInRect(point))
        ::SetCapture(m_hOwner);
    if (dragging)
    {
        // The thumb settles on the row it stands for.
        SendScroll(SB_ENDSCROLL);
        return;
    }
    SCROLLINFO info;
    if (!client.PtInRect(point) || !OwnerScrollInfo(info))
        return;
    if (up)
        SendScroll(SB_LINEUP);
    else if (down)
        SendScroll(SB_LINEDOWN);
    else if (m_upArrow.PtInRect(point) || m_downArrow.PtInRect(point))
        return;
    else if (point.y < m_thumbTop)
        SendScroll(SB_PAGEUP);
    else if (point.y >= m_thumbTop + GetThumbHeight())
    {
        const int last = LastScrollPosition(info);
        if (info.nPos + static_cast<int>(info.nPage) < last)
            SendScroll(SB_PAGEDOWN);
        else
            SendScroll(SB_THUMBPOSITION, last);
    }
    else
        return;
    SendScroll(SB_ENDSCROLL);
}

void CVScrollBar::DrawPicture(HDC target, HDC source, const CBitmap* picture, int y) const
{
    if (!picture || picture->IsNull())
        return;
    const CSize size = picture->GetSize();
    CSelectObject select(source, picture->GetHandle());
    ::BitBlt(target, m_values.m_borderWidth, y, size.cx, size.cy, source, 0, 0, SRCCOPY);
}

void CVScrollBar::OnPaint()
{
    CPaintDC paint(m_hWnd);
    CRect client;
    GetClientRect(&client);
    CMemDC2 dc(paint, &client);
    dc.FillSolidRect(client, m_backColour);
    if (m_values.m_borderWidth > 0)
    {
        CPen pen;
        if (!pen.CreatePen(PS_SOLID, m_values.m_borderWidth, m_borderColour))
            return;
        CSelectObject selectPen(dc, pen);
        const int x = m_values.m_borderWidth / 2;
        ::MoveToEx(dc, x, 0, nullptr);
        ::LineTo(dc, x, client.bottom);
    }
    CDC source;
    if (!source.CreateCompatibleDC(dc))
        return;
    DrawPicture(dc, source, m_values.m_pTop, 0);
    DrawPicture(dc, source, m_values.m_pUpArrow, m_upArrow.top);
    const int spineHeight = HeightOf(m_values.m_pSpine);
    if (spineHeight > 0)
        for (int y = m_upArrow.bottom; y < m_downArrow.top; y += spineHeight)
            DrawPicture(dc, source, m_values.m_pSpine, y);
    DrawPicture(dc, source, m_values.m_pThumb, m_thumbTop);
    DrawPicture(dc, source, m_values.m_pDownArrow, m_downArrow.top);
    DrawPicture(dc, source, m_values.m_pBottom, client.bottom - HeightOf(m_values.m_pBottom));
}
