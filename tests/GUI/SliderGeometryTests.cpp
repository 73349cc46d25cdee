#include "CDMarker.h"
#include "CPHSlider.h"
#include "CSliderHMulti.h"
#include "CVertSlider.h"
#include "SkinValues.h"

#include <gtest/gtest.h>

namespace
{
// Ten steps over a 100-pixel track: 10 pixels a step; a 10-pixel thumb's leading edge runs
// from -5 to 95.
void TenSteps(CSliderBase& slider, bool vertical)
{
    slider.SetSteps(0, 0, 10);
    slider.SetGeometry(10, 10, vertical ? CRect(0, 0, 10, 100) : CRect(0, 0, 100, 10));
}
}

TEST(SliderGeometry, HorizontalRoundsToTheNearerStepAndVerticalTruncates)
{
    CPHSlider horizontal;
    CVertSlider vertical;
    TenSteps(horizontal, false);
    TenSteps(vertical, true);
    ASSERT_EQ(horizontal.GetLow(), -5);
    ASSERT_EQ(horizontal.GetHigh(), 95);
    ASSERT_EQ(vertical.GetHigh(), 95);
    struct Case
    {
        const char* what;
        int pixelsPastStep1;
        int horizontalStep;
        int verticalStep;
    } cases[] = {
        { "on step 1", 10, 1, 1 },
        { "just under half a step past it", 14, 1, 1 },
        { "exactly half a step past it", 15, 2, 1 },
        { "just under the next step", 19, 2, 1 },
        { "on step 2", 20, 2, 2 },
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(horizontal.PositionToStep(horizontal.GetLow() + c.pixelsPastStep1, 0), c.horizontalStep) << c.what;
        // Vertical steps count upwards from the bottom limit.
        EXPECT_EQ(vertical.PositionToStep(0, vertical.GetHigh() - c.pixelsPastStep1), c.verticalStep) << c.what;
    }
    EXPECT_EQ(horizontal.PositionToStep(-100, 0), 0) << "left of the track";
    EXPECT_EQ(horizontal.PositionToStep(500, 0), 10) << "right of the track";
    EXPECT_EQ(vertical.PositionToStep(0, 500), 0) << "below the track";
    EXPECT_EQ(vertical.PositionToStep(0, -500), 10) << "above the track";
}

TEST(SliderGeometry, StepPixelsRunFromTheLowToTheHighLimit)
{
    CPHSlider horizontal;
    CVertSlider vertical;
    TenSteps(horizontal, false);
    TenSteps(vertical, true);
    EXPECT_EQ(horizontal.GetStepPixel(0), -5);
    EXPECT_EQ(horizontal.GetStepPixel(3), 25);
    EXPECT_EQ(horizontal.GetStepPixel(10), 95);
    EXPECT_EQ(vertical.GetStepPixel(0), 95) << "step 0 at the bottom";
    EXPECT_EQ(vertical.GetStepPixel(10), -5);
}

TEST(SliderGeometry, SetPosKeepsTheStepInsideTheRange)
{
    CPHSlider horizontal;
    CVertSlider vertical;
    TenSteps(horizontal, false);
    TenSteps(vertical, true);
    struct Case
    {
        int asked;
        int stored;
    } cases[] = { { 25, 10 }, { 10, 10 }, { -3, 0 }, { 4, 4 } };
    for (const Case& c : cases)
    {
        horizontal.SetPos(c.asked, false);
        vertical.SetPos(c.asked, true);
        EXPECT_EQ(horizontal.GetStep(), c.stored) << c.asked;
        EXPECT_EQ(vertical.GetStep(), c.stored) << c.asked;
    }
}

TEST(SliderGeometry, EmptyRangesAndTracksDivideByNothing)
{
    struct Case
    {
        const char* what;
        int last;
        CRect track;
    } cases[] = {
        { "one step", 0, CRect(0, 0, 100, 100) },
        { "a track of no width", 10, CRect(40, 0, 40, 0) },
    };
    for (const Case& c : cases)
    {
        CPHSlider horizontal;
        CVertSlider vertical;
        for (CSliderBase* slider : { static_cast<CSliderBase*>(&horizontal), static_cast<CSliderBase*>(&vertical) })
        {
            slider->SetSteps(0, 0, c.last);
            slider->SetGeometry(10, 10, c.track);
            EXPECT_EQ(slider->PositionToStep(33, 33), 0) << c.what;
            slider->SetPos(5, true);
            EXPECT_LE(slider->GetStep(), c.last) << c.what;
        }
    }
}

TEST(SliderGeometry, ValueTextAndTipOffsetFollowTheTooltipSettings)
{
    CPHSlider horizontal;
    horizontal.SetSteps(10, 0, 90);
    horizontal.SetGeometry(10, 20, CRect(0, 0, 180, 20));
    horizontal.SetMultiplier(5);
    horizontal.SetToolTip(L"x", L"", SkinValues::kTipLeft);
    horizontal.SetPos(3, false);
    EXPECT_EQ(horizontal.GetValueText(), L"x65") << "(base 10 + step 3) times 5";
    CVertSlider vertical;
    vertical.SetMultiplier(5);
    vertical.SetToolTip(L"v", L"", SkinValues::kTipLeft);
    vertical.SetPos(3, false);
    EXPECT_EQ(vertical.GetValueText(), L"v4") << "no multiplier, base 1";

    struct Case
    {
        int position;
        CPoint offset;
    } cases[] = {
        { SkinValues::kTipLeft, CPoint(-2, 10) },
        { SkinValues::kTipRight, CPoint(12, 10) },
        { SkinValues::kTipTop, CPoint(5, -2) },
        { SkinValues::kTipBottom, CPoint(5, 22) },
    };
    for (const Case& c : cases)
    {
        horizontal.SetToolTip(L"", L"$NoSuchCaption", c.position);
        EXPECT_EQ(horizontal.GetTipOffset().x, c.offset.x) << c.position;
        EXPECT_EQ(horizontal.GetTipOffset().y, c.offset.y) << c.position;
        EXPECT_EQ(horizontal.GetTipPosition(), c.position);
    }
    EXPECT_EQ(horizontal.GetCaption(), L"$NoSuchCaption") << "a key without a text is shown as it is";
}

TEST(SliderGeometry, GroupRangeGivesEveryThumbItsStepsAndCapRange)
{
    CSliderHMulti group(2);
    EXPECT_EQ(group.GetSlider(0)->GetValue(), 1) << "the values 1 to 32 at first";
    EXPECT_EQ(group.GetSlider(1)->GetRangeMax(), 31);
    group.SetRange(10, 100);
    for (int i = 0; i < group.GetCount(); ++i)
    {
        const CPHSlider& thumb = *group.GetSlider(i);
        EXPECT_EQ(thumb.GetBase(), 10);
        EXPECT_EQ(thumb.GetRangeMin(), 0);
        EXPECT_EQ(thumb.GetRangeMax(), 90);
        EXPECT_EQ(thumb.GetCapLow(), 10);
        EXPECT_EQ(thumb.GetCapHigh(), 100);
    }
    EXPECT_EQ(group.GetSlider(2), nullptr);
    group.Enable(false);
    EXPECT_FALSE(group.GetSlider(0)->IsEnabled());
}

TEST(MarkerGeometry, FillAndValueFollowTheRange)
{
    EXPECT_EQ(CDMarker::FillWidth(100, 5, 0, 10), 50) << "value 5 of 0 to 10 fills half";
    EXPECT_EQ(CDMarker::FillWidth(100, 10, 0, 10), 100);
    EXPECT_EQ(CDMarker::FillWidth(100, 3, 3, 3), 0) << "an empty range";
    struct Case
    {
        int x;
        int value;
    } cases[] = { { 60, 5 }, { 10, 0 }, { -40, 0 }, { 109, 9 }, { 110, 10 }, { 400, 10 } };
    for (const Case& c : cases)
        EXPECT_EQ(CDMarker::ValueAt(c.x, 10, 110, 0, 10), c.value) << c.x;
    EXPECT_EQ(CDMarker::ValueAt(50, 10, 10, 0, 10), 0) << "a marker of no width";
}
