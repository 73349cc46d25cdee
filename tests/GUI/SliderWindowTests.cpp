#include "CAPMSlider.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CDMarker.h"
#include "CSelectObject.h"
#include "CSliderHMulti.h"
#include "CSliderTrack.h"
#include "GUIMessages.h"
#include "ModalDriver.h"
#include "SkinValues.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

using ModalTest::CRecordingParent;

namespace
{
CBitmap SolidBitmap(int width, int height, COLORREF colour)
{
    CBitmap bitmap;
    CClientDC screen(nullptr);
    CDC dc;
    if (!bitmap.CreateCompatibleBitmap(screen, width, height) || !dc.CreateCompatibleDC(screen))
        return bitmap;
    CSelectObject select(dc, bitmap);
    dc.FillSolidRect(CRect(0, 0, width, height), colour);
    return bitmap;
}

constexpr int kThumbId = 156;

// A track of 220 by 20 pixels in a recording window with one thumb (10 by 20) whose centre
// runs over 200 pixels, from x 10 to 210 of the track.
class SliderWindowTest : public testing::Test
{
protected:
    CRecordingParent m_parent;
    CSliderTrack m_track{ RGB(0, 200, 0), RGB(0, 0, 0) };
    CSliderHMulti m_group{ 1 };
    CBitmap m_normal = SolidBitmap(10, 20, RGB(200, 200, 200));
    CBitmap m_hover = SolidBitmap(10, 20, RGB(250, 200, 0));

    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Create(CRect(100, 100, 500, 300)));
        m_track.m_id = 30;
        ASSERT_TRUE(m_track.CreateTrack(20, 40, 220, 20, &m_parent));
        m_track.SetFill(CRect(10, 8, 210, 12));
        Thumb().m_id = kThumbId;
        ASSERT_TRUE(Thumb().CreateThumb(m_normal, &m_track, m_hover, nullptr, false, CRect(10, 0, 210, 20)));
        Thumb().SetToolTip(L"Level ", L"", SkinValues::kTipTop);
        ASSERT_TRUE(WindowTest::BringToForeground(m_parent.m_hWnd));
        WindowTest::MoveMouseTo(CPoint(900, 900));
        WindowTest::PumpFor(50);
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    CPHSlider& Thumb() { return *m_group.GetSlider(0); }
    POINT ThumbCentre()
    {
        POINT centre = { 5, 10 };
        Thumb().ClientToScreen(&centre);
        return centre;
    }
    void Drag(POINT from, POINT to, const std::function<void()>& whileHeld = nullptr)
    {
        ASSERT_TRUE(WindowTest::MoveMouseTo(from));
        WindowTest::PumpFor(50);
        WindowTest::PressLeftButton();
        WindowTest::PumpFor(50);
        ASSERT_TRUE(WindowTest::MoveMouseTo(to));
        WindowTest::PumpFor(100);
        if (whileHeld)
            whileHeld();
        WindowTest::ReleaseLeftButton();
        WindowTest::PumpUntil([&] { return m_parent.CountOf(WM_GUI_SLIDER_POSCHANGED) > 0; });
        WindowTest::PumpFor(50);
    }
    const CRecordingParent::Record* Last(UINT message) const
    {
        for (auto record = m_parent.m_records.rbegin(); record != m_parent.m_records.rend(); ++record)
            if (record->message == message)
                return &*record;
        return nullptr;
    }
};
}

TEST_F(SliderWindowTest, DragWithinAStepSendsNoPosChangingAndTheReleaseReportsTheValue)
{
    m_group.SetRange(0, 10);
    Thumb().SetPos(5, true);
    WindowTest::PumpFor(50);
    const POINT from = ThumbCentre();
    // 20 pixels a step: 6 pixels to the right still round to step 5.
    Drag(from, CPoint(from.x + 6, from.y));
    EXPECT_EQ(m_parent.CountOf(WM_GUI_SLIDER_POSCHANGING), 0);
    ASSERT_EQ(m_parent.CountOf(WM_GUI_SLIDER_POSCHANGED), 1);
    EXPECT_EQ(Last(WM_GUI_SLIDER_POSCHANGED)->wParam, 5u);
    EXPECT_EQ(Last(WM_GUI_SLIDER_POSCHANGED)->lParam, kThumbId);
    CRect thumb;
    Thumb().GetWindowRect(&thumb);
    EXPECT_EQ(thumb.left, from.x - 5 + 6) << "the thumb follows the mouse";
    EXPECT_FALSE(Thumb().IsDragging());
}

TEST_F(SliderWindowTest, AClickOnTheTrackMovesTheThumbThere)
{
    m_group.SetRange(0, 10);
    ASSERT_TRUE(WindowTest::ClickAt(m_track.m_hWnd, CPoint(70, 4)));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return m_parent.CountOf(WM_GUI_SLIDERTRACK_CLICK) == 1; }));
    WindowTest::PumpFor(50);
    EXPECT_EQ(Thumb().GetStep(), 3) << "the centre at 70 is step 3";
    ASSERT_NE(Last(WM_GUI_SLIDER_POSCHANGED), nullptr);
    EXPECT_EQ(Last(WM_GUI_SLIDER_POSCHANGED)->wParam, 3u);
    EXPECT_EQ(Last(WM_GUI_SLIDERTRACK_CLICK)->wParam, 30u);
    EXPECT_EQ(Last(WM_GUI_SLIDERTRACK_CLICK)->lParam, MAKELPARAM(70, 4));
    EXPECT_EQ(m_track.GetFillRect(), CRect(10, 8, 65, 12));
}

TEST(StageSliderWindow, ThreeTickersSplitTheRangeAndClicksFindTheirStage)
{
    CRecordingParent parent;
    ASSERT_TRUE(parent.Create(CRect(100, 100, 500, 300)));
    CBitmap normal = SolidBitmap(10, 20, RGB(200, 200, 200));
    CAPMSlider slider;
    slider.m_id = 9;
    ASSERT_TRUE(slider.CreateTrack(20, 40, 320, 20, &parent));
    slider.SetTickerBitmaps(normal, normal);
    for (int id : { 201, 202, 203 })
        ASSERT_NE(slider.AddTicker(id), nullptr);
    slider.SetDefaultStages();
    EXPECT_EQ(slider.GetTicker(0)->GetValue(), 8);
    EXPECT_EQ(slider.GetTicker(1)->GetValue(), 15);
    EXPECT_EQ(slider.GetTicker(2)->GetValue(), 22);
    EXPECT_EQ(slider.GetTicker(1)->GetCapLow(), 10) << "held between its neighbours";
    EXPECT_EQ(slider.GetTicker(1)->GetCapHigh(), 22);
    EXPECT_EQ(slider.GetTicker(2)->GetCapHigh(), 32);

    slider.SetDefaultColors();
    ASSERT_EQ(slider.GetStageColours().size(), 4u);
    EXPECT_EQ(slider.GetStageColour(0), 0u);
    EXPECT_EQ(slider.GetStageColour(1), 0x202020u) << "4 * 255 / 31 = 32 a stage";
    EXPECT_EQ(slider.GetStageColour(2), 0x404040u);
    EXPECT_EQ(slider.GetStageColour(7), 0u) << "black beyond the list";

    struct Case
    {
        const char* what;
        int x;
        int stage;
    } cases[] = {
        { "left of the first ticker", 5, 0 },
        { "on the second ticker's value", 145, 2 },
        { "right of the last ticker", 315, 3 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(slider.StageAt(c.x), c.stage) << c.what;

    ASSERT_TRUE(WindowTest::BringToForeground(parent.m_hWnd));
    ASSERT_TRUE(WindowTest::ClickAt(slider.m_hWnd, CPoint(315, 10)));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return parent.CountOf(WM_GUI_SLIDER_STAGE_CLICKED) == 1; }));
    EXPECT_EQ(parent.m_records.back().wParam, 3u);
    EXPECT_EQ(parent.m_records.back().lParam, 9);

    slider.SetStageColours({});
    slider.SetRange(5, 5);
    slider.SetDefaultStages();
    slider.SetDefaultColors();
    slider.UpdateWindow();
    EXPECT_EQ(slider.StageAt(100), 3) << "an empty range puts every ticker at its start";
    parent.DestroyWindow();
}

TEST(MarkerWindow, DraggingSetsTheValueAndEveryReleaseReportsIt)
{
    CRecordingParent parent;
    ASSERT_TRUE(parent.Create(CRect(100, 100, 500, 300)));
    CDMarker marker;
    marker.m_id = 7;
    ASSERT_TRUE(marker.Create(CRect(20, 40, 120, 60), &parent));
    ASSERT_TRUE(WindowTest::BringToForeground(parent.m_hWnd));
    POINT from = { 10, 10 };
    marker.ClientToScreen(&from);
    ASSERT_TRUE(WindowTest::MoveMouseTo(from));
    WindowTest::PressLeftButton();
    WindowTest::PumpFor(50);
    ASSERT_TRUE(WindowTest::MoveMouseTo(CPoint(from.x + 40, from.y)));
    WindowTest::PumpUntil([&] { return marker.GetValue() == 5; });
    EXPECT_EQ(marker.GetValue(), 5) << "x 70 of the owner is half way from 20 to 120";
    ASSERT_TRUE(WindowTest::MoveMouseTo(CPoint(from.x + 300, from.y)));
    WindowTest::ReleaseLeftButton();
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return parent.CountOf(WM_GUI_MARKER_CHANGED) == 1; }));
    EXPECT_EQ(parent.m_records.back().wParam, 10u) << "kept inside the range";
    EXPECT_EQ(parent.m_records.back().lParam, 7);
    EXPECT_FALSE(marker.IsDragging());
    ASSERT_TRUE(WindowTest::ClickAt(marker.m_hWnd, CPoint(0, 10)));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return parent.CountOf(WM_GUI_MARKER_CHANGED) == 2; }));
    EXPECT_EQ(parent.m_records.back().wParam, 0u);
    parent.DestroyWindow();
}

TEST_F(SliderWindowTest, DraggingTheBrightnessRangeToEitherEndStoresTenAndAHundred)
{
    m_group.SetRange(10, 100);
    Thumb().SetPos(50, true);
    WindowTest::PumpFor(50);
    struct Case
    {
        const char* what;
        int dx;
        int value;
    } cases[] = { { "past the left end", -150, 10 }, { "past the right end", 400, 100 } };
    for (const Case& c : cases)
    {
        m_parent.m_records.clear();
        const POINT from = ThumbCentre();
        Drag(from, CPoint(from.x + c.dx, from.y));
        ASSERT_EQ(m_parent.CountOf(WM_GUI_SLIDER_POSCHANGED), 1) << c.what;
        EXPECT_EQ(Last(WM_GUI_SLIDER_POSCHANGED)->wParam, static_cast<WPARAM>(c.value)) << c.what;
        EXPECT_EQ(Thumb().GetValue(), c.value) << c.what;
    }
}
