#include "CSliderBase.h"

#include "BitmapHelpers.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CLangTable.h"
#include "CMemDC2.h"
#include "CPaintDC.h"
#include "CSelectObject.h"
#include "CSliderTrack.h"
#include "GUIMessages.h"
#include "SkinValues.h"

#include <windowsx.h>

#include <algorithm>

namespace
{
// A copy of a picture for the thumb's own use; empty for none.
CBitmap CopyPicture(HBITMAP picture)
{
    CBitmap copy;
    BITMAP info = {};
    if (!picture || ::GetObjectW(picture, sizeof(info), &info) != sizeof(info))
        return copy;
    CClientDC screen(nullptr);
    CopyBitmapSection(copy, screen, picture, 0, 0, info.bmWidth, info.bmHeight);
    return copy;
}
}

CSliderBase::~CSliderBase()
{
    if (m_pTrack)
        m_pTrack->ForgetThumb(this);
    DestroyWindow();
}

int CSliderBase::GetStepPixel(int step) const
{
    const auto found = m_positions.find(step);
    return found != m_positions.end() ? found->second : m_low;
}

bool CSliderBase::CreateThumb(HBITMAP normal, CWnd* owner, HBITMAP hover, HBITMAP mask, bool colorKey, const RECT& rect)
{
    if (m_hWnd || !owner || !owner->m_hWnd)
        return false;
    m_normal = CopyPicture(normal);
    m_hover = CopyPicture(hover);
    m_mask = CopyPicture(mask);
    const CSize size = m_normal.GetSize();
    SetGeometry(size.cx, size.cy, rect);
    const CPoint origin = StepOrigin(m_step);
    const CRect place(origin.x, origin.y, origin.x + size.cx, origin.y + size.cy);
    if (!CreateEx(WS_EX_TRANSPARENT, nullptr, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, place, owner->m_hWnd,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_id))))
        return false;
    HRGN region = nullptr;
    if (!m_mask.IsNull())
        region = CreateRegionFromBitmap(m_mask);
    else if (colorKey)
        region = CreateRegionWithoutCornerColour(m_normal);
    if (region && !SetWindowRgn(region, true))
        ::DeleteObject(region);
    m_pTrack = dynamic_cast<CSliderTrack*>(owner);
    if (m_pTrack)
        m_pTrack->SetThumb(this);
    return true;
}

void CSliderBase::SetGeometry(int thumbWidth, int thumbHeight, const RECT& track)
{
    m_thumbWidth = thumbWidth;
    m_thumbHeight = thumbHeight;
    m_trackRect = track;
    RecalcPositions();
}

void CSliderBase::SetSteps(int base, int first, int last)
{
    m_base = base;
    m_rangeMin = first;
    m_rangeMax = std::max(first, last);
    m_step = ClampStep(m_step);
    RecalcPositions();
}

void CSliderBase::SetToolTip(const CString& prefix, const CString& captionKey, int position)
{
    m_prefix = prefix;
    if (!captionKey.IsEmpty())
        LookupText(captionKey, m_caption);
    m_tipPosition = position;
    m_valueText.Format(L"%s%d", m_prefix.GetString(), m_base + m_step);
    switch (position)
    {
    case SkinValues::kTipRight:
        m_tipOffset.x = m_thumbWidth + 2;
        break;
    case SkinValues::kTipTop:
    case SkinValues::kTipBottom:
        m_tipOffset.x = m_thumbWidth / 2;
        break;
    default:
        m_tipOffset.x = -2;
        break;
    }
    switch (position)
    {
    case SkinValues::kTipTop:
        m_tipOffset.y = -2;
        break;
    case SkinValues::kTipBottom:
        m_tipOffset.y = m_thumbHeight + 2;
        break;
    default:
        m_tipOffset.y = m_thumbHeight / 2;
        break;
    }
    if (m_pTrack)
        m_pTrack->CreateToolTip(position);
}

void CSliderBase::SetPosFromPoint(int x, int y)
{
    if (!IsWindowEnabled())
        return;
    SetPos(PositionToStep(x - m_halfWidth, y - m_halfHeight), true);
    PostToTrack(WM_GUI_SLIDER_POSCHANGED);
}

void CSliderBase::ForgetTrack(const CSliderTrack* track)
{
    if (m_pTrack == track)
        m_pTrack = nullptr;
}

int CSliderBase::ClampStep(int step) const
{
    return std::min(std::max(step, m_rangeMin), m_rangeMax);
}

POINT CSliderBase::ToTrack(int x, int y) const
{
    POINT point = { x, y };
    if (m_hWnd)
        ::MapWindowPoints(m_hWnd, GetParentHandle(), &point, 1);
    return point;
}

void CSliderBase::UpdateValueText(int multiplier)
{
    m_valueText.Format(L"%s%d", m_prefix.GetString(), (m_base + m_step) * multiplier);
}

void CSliderBase::SendToTrack(UINT message, int value) const
{
    HWND track = GetParentHandle();
    if (track)
        ::SendMessageW(track, message, 0, value);
}

void CSliderBase::PostToTrack(UINT message) const
{
    HWND track = GetParentHandle();
    if (track)
        ::PostMessageW(track, message, static_cast<WPARAM>(m_base + m_step), m_id);
}

bool CSliderBase::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_LBUTTONDOWN: // void OnLButtonDown()
        OnLButtonDown();
        return true;
    case WM_MOUSEMOVE: // void OnMouseMove(UINT flags, int x, int y)
        OnMouseMove(static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return true;
    case WM_MOUSEHOVER: // the track shows the value
        if (m_pTrack)
            m_pTrack->ShowThumbTip();
        return true;
    case WM_MOUSELEAVE: // void OnMouseLeave()
        OnMouseLeave();
        return true;
    case WM_LBUTTONUP: // void OnLButtonUp()
        OnLButtonUp();
        return true;
    case WM_CAPTURECHANGED: // a drag ends when something else takes the mouse
        if (reinterpret_cast<HWND>(lParam) != m_hWnd)
            m_dragging = false;
        Invalidate(false);
        return true;
    case WM_KILLFOCUS:
        m_hovering = false;
        Invalidate(false);
        break;
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    case WM_ERASEBKGND: // the picture covers the thumb
        result = TRUE;
        return true;
    default:
        break;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

void CSliderBase::OnLButtonDown()
{
    if (!m_enabled)
        return;
    SetCapture();
    m_dragging = true;
    Invalidate(false);
}

void CSliderBase::OnMouseMove(UINT flags, int x, int y)
{
    if (!m_enabled)
        return;
    m_mouse.Track(m_hWnd);
    if (!m_hovering)
    {
        m_hovering = true;
        Invalidate(false);
    }
    if (m_dragging)
        TrackTo(flags, x, y);
}

void CSliderBase::OnMouseLeave()
{
    if (m_pTrack && m_pTrack->IsTipShown())
        m_pTrack->HideThumbTip();
    m_hovering = false;
    m_mouse.Reset();
    Invalidate(false);
}

void CSliderBase::OnLButtonUp()
{
    if (!m_enabled)
        return;
    m_dragging = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    PostToTrack(WM_GUI_SLIDER_POSCHANGED);
    Invalidate(false);
}

void CSliderBase::OnPaint()
{
    CPaintDC paint(m_hWnd);
    const CRect client(0, 0, m_thumbWidth, m_thumbHeight);
    CMemDC2 dc(paint, &client);
    const CBitmap& picture = (m_dragging || m_hovering) && !m_hover.IsNull() ? m_hover : m_normal;
    CDC source;
    if (picture.IsNull() || !source.CreateCompatibleDC(dc))
        return;
    CSelectObject select(source, picture);
    dc.BitBlt(0, 0, m_thumbWidth, m_thumbHeight, source, 0, 0, SRCCOPY);
}
