// Classes in this file:
//   CVertSlider - a vertical slider thumb (VSLIDER element): step 0 at the bottom, a
//                 position truncates to the step below it; values 1 to 32 by default.
#pragma once

#include "CSliderBase.h"

class CVertSlider : public CSliderBase
{
public:
    CVertSlider();

    // Operations
    void RecalcPositions() override;
    void TrackTo(UINT flags, int x, int y) override;
    int PositionToStep(int x, int y) const override;
    void SetPos(int step, bool move) override;

protected:
    // Implementation
    CPoint StepOrigin(int step) const override;
};
