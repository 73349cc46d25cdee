#include "CDMarker.h"

#include "BitmapHelpers.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CMemDC2.h"
#include "CPaintDC.h"
#include "CSelectObject.h"
#include "GUIMessages.h"

#include <windowsx.h>

#include <algorithm>

CDMarker::~CDMarker()
{
    DestroyWindow();
}

int CDMarker::FillWidth(int width, int value, int min, int max)
{
    if (max == min)
        return 0;
    return width * (value - min) / (max - min);
}

int CDMarker::ValueAt(int x, int left, int right, int min, int max)
{
    if (right <= left)
        return min;
    const int value = min + (max - min) * (std::max(x, left) - left) / (right - left);
    return std::min(std::max(value, std::min(min, max)), std::max(min, max));
}

bool CDMarker::Create(const RECT& rect, CWnd* owner)
{
    m_rect = rect;
    m_hOwner = owner ? owner->m_hWnd : nullptr;
    return CWnd::Create(nullptr, L"", WS_VISIBLE | WS_TABSTOP, rect, owner, static_cast<UINT>(m_id));
}

void CDMarker::SetBitmaps(const CBitmap* empty, const CBitmap* full)
{
    CClientDC screen(nullptr);
    if (empty && !empty->IsNull())
        CopyBitmapSection(m_empty, screen, *empty, 0, 0, m_rect.Width(), m_rect.Height());
    if (full && !full->IsNull())
        CopyBitmapSection(m_full, screen, *full, 0, 0, m_rect.Width(), m_rect.Height());
    Invalidate(false);
}

void CDMarker::SetRange(int min, int max)
{
    m_min = min;
    m_max = max;
    SetValue(m_value);
}

void CDMarker::SetValue(int value)
{
    m_value = std::min(std::max(value, std::min(m_min, m_max)), std::max(m_min, m_max));
    Invalidate(false);
}

bool CDMarker::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (message)
    {
    case WM_LBUTTONDOWN:
        if (m_enabled)
        {
            SetCapture();
            m_dragging = true;
        }
        return true;
    case WM_MOUSEMOVE: // void TakeValueAt(int x, int y)
        if (m_dragging)
            TakeValueAt(x, y);
        return true;
    case WM_LBUTTONUP: // void OnLButtonUp(int x, int y)
        OnLButtonUp(x, y);
        return true;
    case WM_CAPTURECHANGED: // the drag ends when something else takes the mouse
        if (m_dragging && reinterpret_cast<HWND>(lParam) != m_hWnd)
        {
            m_dragging = false;
            Invalidate(false);
        }
        return true;
    case WM_KILLFOCUS:
        m_dragging = false;
        Invalidate(false);
        break;
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    case WM_ERASEBKGND: // the pictures cover the marker
        result = TRUE;
        return true;
    default:
        break;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

void CDMarker::TakeValueAt(int x, int y)
{
    POINT point = { x, y };
    ::MapWindowPoints(m_hWnd, GetParentHandle(), &point, 1);
    m_value = ValueAt(point.x, m_rect.left, m_rect.right, m_min, m_max);
    Invalidate(false);
}

void CDMarker::OnLButtonUp(int x, int y)
{
    if (!m_enabled)
        return;
    TakeValueAt(x, y);
    m_dragging = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_hOwner)
        ::PostMessageW(m_hOwner, WM_GUI_MARKER_CHANGED, static_cast<WPARAM>(m_value), m_id);
}

void CDMarker::OnPaint()
{
    CPaintDC paint(m_hWnd);
    CRect client;
    GetClientRect(&client);
    CMemDC2 dc(paint, &client);
    CDC source;
    if (!source.CreateCompatibleDC(dc))
        return;
    if (!m_empty.IsNull())
    {
        CSelectObject select(source, m_empty);
        dc.BitBlt(0, 0, client.Width(), client.Height(), source, 0, 0, SRCCOPY);
    }
    const int fill = FillWidth(client.Width(), m_value, m_min, m_max);
    if (!m_full.IsNull() && fill > 0)
    {
        CSelectObject select(source, m_full);
        dc.BitBlt(0, 0, fill, client.Height(), source, 0, 0, SRCCOPY);
    }
}
