#include "CAVIButton.h"

#include "CMemDC2.h"
#include "CSelectObject.h"

bool CAVIButton::Create(const RECT& rect, CWnd* parent)
{
    return CButton::Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect, parent, 0);
}

void CAVIButton::SetStillBitmap(const CBitmap* still)
{
    m_pStill = still && !still->IsNull() ? still : nullptr;
    Invalidate(false);
}

bool CAVIButton::Play()
{
    if (!m_hWnd)
        return false;
    if (!m_animation.m_hWnd)
    {
        CRect rect;
        GetClientRect(&rect);
        rect.OffsetRect(1, 1);
        // A timer rather than a thread of its own, so that its start and stop reach the
        // button on the button's thread; the clip is centred in the button's rectangle.
        if (!m_animation.Create(WS_CHILD | ACS_CENTER | ACS_TIMER, rect, this, 0))
            return false;
    }
    if (!m_opened)
        m_opened = !m_animationName.IsEmpty() && m_animation.Open(m_animationName);
    if (!m_opened)
        return false;
    m_animation.ShowWindow(SW_SHOW);
    if (!m_animation.Play(0, static_cast<UINT>(-1), 1))
    {
        m_animation.ShowWindow(SW_HIDE);
        return false;
    }
    m_playing = true;
    return true;
}

void CAVIButton::OnAnimationStopped()
{
    m_playing = false;
    m_animation.ShowWindow(SW_HIDE);
    Invalidate(false);
}

bool CAVIButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The animation control tells its parent, the button, of its start and stop.
    if (message == WM_COMMAND && m_animation.m_hWnd && reinterpret_cast<HWND>(lParam) == m_animation.m_hWnd)
    {
        if (HIWORD(wParam) == ACN_STOP) // void OnAnimationStopped()
            OnAnimationStopped();
        else if (HIWORD(wParam) == ACN_START)
            m_playing = true;
        result = 0;
        return true;
    }
    return CButton::OnWndMsg(message, wParam, lParam, result);
}

bool CAVIButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_DRAWITEM) // void DrawItem(const DRAWITEMSTRUCT&)
    {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_DOUBLECLICKED) // bool Play()
    {
        Play();
        result = 0;
        return true;
    }
    return CButton::OnChildNotify(message, wParam, lParam, result);
}

void CAVIButton::DrawItem(const DRAWITEMSTRUCT& item)
{
    // While the animation plays, its control covers the button.
    if (m_playing || !m_pStill)
        return;
    const CRect rect(item.rcItem);
    CMemDC2 dc(item.hDC, &rect);
    CDC stillDC;
    if (!stillDC.CreateCompatibleDC(dc))
        return;
    CSelectObject selectStill(stillDC, *m_pStill);
    // The button's piece of the picture is centred on the picture's centre, then moved by
    // (-10, -5).
    const CSize size = m_pStill->GetSize();
    const int left = (size.cx - rect.Width()) / 2 - 10;
    const int top = (size.cy - rect.Height()) / 2 - 5;
    dc.FillSolidRect(rect, RGB(0, 0, 0));
    dc.BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), stillDC, left, top, SRCCOPY);
}
