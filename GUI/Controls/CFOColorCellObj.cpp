#include "CFOColorCellObj.h"

#include "CDCHandle.h"

void CFOColorCellObj::SetColor(COLORREF color)
{
    if (color == m_color)
        return;
    m_color = color;
    m_brush.DeleteObject();
}

bool CFOColorCellObj::HitTest(int x, int y) const
{
    return m_rect.PtInRect(CPoint(x, y)) != FALSE;
}

HBRUSH CFOColorCellObj::PrepareBrush()
{
    if (m_brush.IsNull())
        m_brush.CreateSolidBrush(m_color);
    return m_brush;
}

void CFOColorCellObj::Draw(HDC target)
{
    CDCHandle dc(target);
    dc.FillSolidRect(m_rect, RGB(0, 0, 0));
    CRect inner = m_rect;
    inner.DeflateRect(m_inset, m_inset);
    HBRUSH brush = PrepareBrush();
    if (brush)
        dc.FillRect(inner, brush);
    CBrush frame;
    if (frame.CreateSolidBrush(m_frameColor))
        ::FrameRect(target, &inner, frame);
}

void CFOColorCellObj::DrawSelected(HDC target)
{
    Draw(target);
    CBrush black;
    CBrush white;
    if (!black.CreateSolidBrush(RGB(0, 0, 0)) || !white.CreateSolidBrush(RGB(255, 255, 255)))
        return;
    ::FrameRect(target, &m_rect, black);
    CRect inner = m_rect;
    inner.DeflateRect(1, 1);
    ::FrameRect(target, &inner, white);
}
