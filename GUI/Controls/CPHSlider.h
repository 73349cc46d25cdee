// Classes in this file:
//   CPHSlider - a horizontal slider thumb: steps run from left to right, a position rounds
//               to the nearest step, and the tooltip shows the value times the multiplier.
#pragma once

#include "CSliderBase.h"

class CPHSlider : public CSliderBase
{
public:
    CPHSlider() = default;

    // Operations
    // Stores the cap range of values, each end kept inside the steps.
    void SetCapRange(int max, int min);

    void RecalcPositions() override;
    void TrackTo(UINT flags, int x, int y) override;
    int PositionToStep(int x, int y) const override;
    void SetPos(int step, bool move) override;

protected:
    // Implementation
    CPoint StepOrigin(int step) const override;
};
