#include "CMemDC2.h"

CMemDC2::CMemDC2(HDC target, const RECT* rect)
    : m_hTarget(target)
{
    CDCHandle targetDC(target);
    if (rect)
        m_rect = *rect;
    else
        targetDC.GetClipBox(&m_rect);
    m_offScreen = !targetDC.IsPrinting() && CreateOffScreen();
    if (!m_offScreen)
        Attach(target);
    FillSolidRect(m_rect, targetDC.GetBkColor());
}

CMemDC2::~CMemDC2()
{
    if (!m_offScreen)
    {
        Detach();
        return;
    }
    ::BitBlt(m_hTarget, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
        SRCCOPY);
    SelectObject(m_hOldBitmap);
}

bool CMemDC2::CreateOffScreen()
{
    CDCHandle targetDC(m_hTarget);
    if (!m_hTarget || !CreateCompatibleDC(m_hTarget))
        return false;
    CRect device = m_rect;
    targetDC.LPtoDP(&device);
    if (device.IsRectEmpty() || !m_bitmap.CreateCompatibleBitmap(m_hTarget, device.Width(), device.Height()))
    {
        DeleteDC();
        return false;
    }
    m_hOldBitmap = SelectObject(m_bitmap);
    SetMapMode(targetDC.GetMapMode());
    SetWindowExt(targetDC.GetWindowExt());
    SetViewportExt(targetDC.GetViewportExt());
    DPtoLP(&device);
    m_rect = device;
    SetWindowOrg(m_rect.left, m_rect.top);
    return true;
}
