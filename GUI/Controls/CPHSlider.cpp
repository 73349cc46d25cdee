#include "CPHSlider.h"

#include "GUIMessages.h"

#include <algorithm>
#include <cmath>

void CPHSlider::SetCapRange(int max, int min)
{
    m_capHigh = ClampStep(max - m_base);
    m_capLow = ClampStep(min - m_base);
}

void CPHSlider::RecalcPositions()
{
    m_halfWidth = m_thumbWidth / 2;
    m_halfHeight = m_thumbHeight / 2;
    m_low = m_trackRect.left - m_halfWidth;
    m_high = m_trackRect.right + m_halfWidth - m_thumbWidth;
    const int steps = m_rangeMax - m_rangeMin;
    // A range of one step leaves the thumb at the track's left end.
    m_pixelsPerStep = steps > 0 ? static_cast<float>(m_trackRect.Width()) / static_cast<float>(steps) : 0.0f;
    m_fixed = m_trackRect.top + (m_trackRect.Height() - m_thumbHeight) / 2;
    m_positions.clear();
    for (int i = m_rangeMin; i <= m_rangeMax; ++i)
        m_positions[i] = std::min(m_low + static_cast<int>((i - m_rangeMin) * m_pixelsPerStep), m_high);
}

int CPHSlider::PositionToStep(int x, int) const
{
    if (m_pixelsPerStep <= 0.0f)
        return m_rangeMin;
    const double offset = std::max(x, m_low) - m_low;
    return ClampStep(m_rangeMin + static_cast<int>(std::floor(offset / m_pixelsPerStep + 0.5)));
}

void CPHSlider::SetPos(int step, bool move)
{
    step = ClampStep(step);
    if (!move && step == m_step)
        return;
    m_step = step;
    if (move)
    {
        const int x = GetStepPixel(step);
        MoveWindow(x, m_fixed, m_thumbWidth, m_thumbHeight);
        SendToTrack(WM_GUI_SLIDER_THUMBX, x);
    }
    UpdateValueText(m_multiplier);
}

void CPHSlider::TrackTo(UINT, int x, int y)
{
    const POINT point = ToTrack(x, y);
    const int left = std::min(std::max(static_cast<int>(point.x) - m_halfWidth, m_low), m_high);
    MoveWindow(left, m_fixed, m_thumbWidth, m_thumbHeight);
    SendToTrack(WM_GUI_SLIDER_THUMBX, left);
    // The step the thumb now stands on is kept, so that the release reports where it was
    // dragged to and the next move compares against it.
    const int step = PositionToStep(left, 0);
    if (step != m_step)
    {
        m_step = step;
        PostToTrack(WM_GUI_SLIDER_POSCHANGING);
    }
    UpdateValueText(m_multiplier);
}

CPoint CPHSlider::StepOrigin(int step) const
{
    return CPoint(GetStepPixel(step), m_fixed);
}
