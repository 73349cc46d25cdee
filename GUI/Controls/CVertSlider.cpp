#include "CVertSlider.h"

#include "GUIMessages.h"

#include <algorithm>

CVertSlider::CVertSlider()
{
    m_base = 1;
    m_rangeMin = 0;
    m_rangeMax = 31;
}

void CVertSlider::RecalcPositions()
{
    m_halfWidth = m_thumbWidth / 2;
    m_halfHeight = m_thumbHeight / 2;
    m_low = m_trackRect.top - m_halfHeight;
    m_high = m_trackRect.bottom + m_halfHeight - m_thumbHeight;
    const int steps = m_rangeMax - m_rangeMin;
    m_pixelsPerStep = steps > 0 ? static_cast<float>(m_trackRect.Height()) / static_cast<float>(steps) : 0.0f;
    m_fixed = m_trackRect.left + (m_trackRect.Width() - m_thumbWidth) / 2;
    m_positions.clear();
    for (int i = m_rangeMin; i <= m_rangeMax; ++i)
        m_positions[i] = std::max(m_high - static_cast<int>(static_cast<float>((i - m_rangeMin) * m_pixelsPerStep)), m_low);
}

int CVertSlider::PositionToStep(int, int y) const
{
    if (m_pixelsPerStep <= 0.0f)
        return m_rangeMin;
    const float offset = static_cast<float>(m_high - std::min(y, m_high));
    return ClampStep(m_rangeMin + static_cast<int>(offset / m_pixelsPerStep));
}

void CVertSlider::SetPos(int step, bool move)
{
    step = ClampStep(step);
    if (step == m_step)
        return;
    m_step = step;
    if (move)
    {
        const int y = GetStepPixel(step);
        MoveWindow(m_fixed, y, m_thumbWidth, m_thumbHeight);
        // The fill ends at the thumb's bottom edge, as while dragging.
        SendToTrack(WM_GUI_SLIDER_THUMBY, y + m_thumbHeight);
    }
    UpdateValueText(1);
}

void CVertSlider::TrackTo(UINT, int x, int y)
{
    const POINT point = ToTrack(x, y);
    const int top = std::min(std::max(static_cast<int>(point.y) - m_halfHeight, m_low), m_high);
    MoveWindow(m_fixed, top, m_thumbWidth, m_thumbHeight);
    SendToTrack(WM_GUI_SLIDER_THUMBY, top + m_thumbHeight);
    const int step = PositionToStep(0, top);
    if (step != m_step)
    {
        m_step = step;
        PostToTrack(WM_GUI_SLIDER_POSCHANGING);
    }
    UpdateValueText(1);
}

CPoint CVertSlider::StepOrigin(int step) const
{
    return CPoint(m_fixed, GetStepPixel(step));
}
