#include "CSliderTrack.h"

#include "BitmapHelpers.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CMemDC2.h"
#include "CPaintDC.h"
#include "CSelectObject.h"
#include "CSliderBase.h"
#include "GUIMessages.h"
#include "SkinValues.h"

#include <windowsx.h>

#include <algorithm>

namespace
{
// The longest texts the tooltip is given.
constexpr int kValueTextLength = 120;
constexpr int kShownTextLength = 128;

// The thumb origin the tooltip was last placed for, one for all tracks: the program shows
// one slider tooltip at a time.
POINT g_lastTipOrigin = { -32768, -32768 };
}

CSliderTrack::CSliderTrack(COLORREF fill, COLORREF back) : m_fillColour(fill), m_backColour(back)
{
}

CSliderTrack::~CSliderTrack()
{
    if (m_pThumb)
        m_pThumb->ForgetTrack(this);
    m_valueTip.DestroyWindow();
    DestroyWindow();
}

CRect CSliderTrack::GetFillRect() const
{
    CRect rect = m_fillRect;
    if (!m_hasFillEdge)
        return rect;
    if (m_fillVertical)
        rect.top = std::min(std::max(m_fillEdge, static_cast<int>(rect.top)), static_cast<int>(rect.bottom));
    else
        rect.right = std::min(std::max(m_fillEdge, static_cast<int>(rect.left)), static_cast<int>(rect.right));
    return rect;
}

bool CSliderTrack::CreateTrack(int x, int y, int cx, int cy, CWnd* parent)
{
    const CRect rect(x, y, x + cx, y + cy);
    return CWnd::Create(nullptr, L"", WS_CHILD | WS_VISIBLE, rect, parent, static_cast<UINT>(m_id));
}

void CSliderTrack::SetPicture(const CBitmap* picture, const CBitmap* mask)
{
    CRect client;
    GetClientRect(&client);
    CClientDC screen(nullptr);
    if (picture && !picture->IsNull())
        CopyBitmapSection(m_picture, screen, *picture, 0, 0, client.Width(), client.Height());
    if (mask && !mask->IsNull())
    {
        HRGN region = CreateRegionFromBitmap(*mask);
        if (region && !SetWindowRgn(region, true))
            ::DeleteObject(region);
    }
    Invalidate(false);
}

void CSliderTrack::SetFill(const RECT& rect)
{
    m_fillEnabled = true;
    m_fillRect = rect;
    Invalidate(false);
}

void CSliderTrack::ForgetThumb(const CSliderBase* thumb)
{
    if (m_pThumb != thumb)
        return;
    m_pThumb = nullptr;
    HideThumbTip();
}

bool CSliderTrack::CreateToolTip(int position)
{
    if (m_toolAdded || !m_pThumb || !m_pThumb->m_hWnd || !m_pThumb->IsTipEnabled() || !m_hWnd)
        return false;
    if (!m_valueTip.Create(this, TTS_NOPREFIX | TTS_ALWAYSTIP))
        return false;
    const CString text = m_pThumb->GetValueText().Left(kValueTextLength);
    if (!m_valueTip.AddTrackingTool(m_hWnd, m_pThumb->m_hWnd, text))
    {
        m_valueTip.DestroyWindow();
        return false;
    }
    m_tipPosition = position;
    m_toolAdded = true;
    return true;
}

void CSliderTrack::ActivateTip(const CString& text)
{
    if (!m_toolAdded || !m_pThumb)
        return;
    m_valueTip.UpdateTrackingText(m_hWnd, m_pThumb->m_hWnd, text);
    if (!m_tipShown)
    {
        m_valueTip.TrackActivate(m_hWnd, m_pThumb->m_hWnd, true);
        m_tipShown = true;
    }
    PositionTip();
}

void CSliderTrack::ShowThumbTip()
{
    if (m_tipShown || !m_pThumb)
        return;
    const CString& caption = m_pThumb->GetCaption();
    ActivateTip((caption.IsEmpty() ? m_pThumb->GetValueText() : caption).Left(kShownTextLength));
}

void CSliderTrack::HideThumbTip()
{
    if (m_toolAdded && m_pThumb)
        m_valueTip.TrackActivate(m_hWnd, m_pThumb->m_hWnd, false);
    m_tipShown = false;
}

void CSliderTrack::PositionTip()
{
    if (!m_toolAdded || !m_pThumb || !m_pThumb->m_hWnd)
        return;
    POINT origin = { 0, 0 };
    ::ClientToScreen(m_pThumb->m_hWnd, &origin);
    if (origin.x == g_lastTipOrigin.x && origin.y == g_lastTipOrigin.y)
        return;
    g_lastTipOrigin = origin;
    CRect tip;
    m_valueTip.GetWindowRect(&tip);
    const CPoint offset = m_pThumb->GetTipOffset();
    int x = origin.x + offset.x;
    int y = origin.y + offset.y;
    switch (m_tipPosition)
    {
    case SkinValues::kTipLeft:
        x -= tip.Width();
        y -= tip.Height() / 2;
        break;
    case SkinValues::kTipRight:
        y -= tip.Height() / 2;
        break;
    case SkinValues::kTipTop:
        x -= tip.Width() / 2;
        y -= tip.Height();
        break;
    default:
        x -= tip.Width() / 2;
        break;
    }
    m_valueTip.TrackPosition(x, y);
}

void CSliderTrack::Show(bool show)
{
    if (m_hWnd)
        ShowWindow(show ? SW_SHOW : SW_HIDE);
}

bool CSliderTrack::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_GUI_SLIDER_POSCHANGING: // the value beside the dragged thumb, passed on
        if (m_pThumb)
            ActivateTip(m_pThumb->GetValueText().Left(kValueTextLength));
        ::PostMessageW(GetParentHandle(), message, wParam, lParam);
        Invalidate(false);
        return true;
    case WM_GUI_SLIDER_POSCHANGED: // released: the tip goes, the value is passed on
        HideThumbTip();
        ::PostMessageW(GetParentHandle(), message, wParam, lParam);
        Invalidate(false);
        return true;
    case WM_GUI_SLIDER_THUMBX: // void OnThumbMoved(bool vertical, int edge)
        OnThumbMoved(false, static_cast<int>(lParam));
        return true;
    case WM_GUI_SLIDER_THUMBY:
        OnThumbMoved(true, static_cast<int>(lParam));
        return true;
    case WM_LBUTTONUP: // a click on the track moves the thumb there
        if (m_pThumb)
            m_pThumb->SetPosFromPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        ::PostMessageW(GetParentHandle(), WM_GUI_SLIDERTRACK_CLICK, static_cast<WPARAM>(m_id), lParam);
        return true;
    case WM_MOUSEMOVE:
        if (m_pThumb && m_pThumb->m_hWnd)
            PositionTip();
        return true;
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    default:
        break;
    }
    return CBitmapItem::OnWndMsg(message, wParam, lParam, result);
}

void CSliderTrack::OnThumbMoved(bool vertical, int edge)
{
    m_hasFillEdge = true;
    m_fillVertical = vertical;
    m_fillEdge = edge;
    PositionTip();
    Invalidate(false);
}

void CSliderTrack::PaintTrack(HDC target) const
{
    CRect client;
    GetClientRect(&client);
    CDCHandle dc(target);
    dc.FillSolidRect(client, m_backColour);
    CDC source;
    if (!m_picture.IsNull() && source.CreateCompatibleDC(target))
    {
        CSelectObject select(source, m_picture);
        const CSize size = m_picture.GetSize();
        dc.BitBlt(0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
    }
    if (!m_fillEnabled)
        return;
    const CRect fill = GetFillRect();
    if (!fill.IsRectEmpty())
        dc.FillSolidRect(fill, m_fillColour);
}

void CSliderTrack::OnPaint()
{
    CPaintDC paint(m_hWnd);
    CRect client;
    GetClientRect(&client);
    CMemDC2 dc(paint, &client);
    PaintTrack(dc);
}
