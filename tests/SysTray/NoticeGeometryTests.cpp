#include "NoticeGeometry.h"

#include <gtest/gtest.h>

TEST(NoticeGeometry, TextStripEndsTenPixelsLeftOfTheRightEdgeAndFiftyAboveTheBottom)
{
    const RECT monitor = { 0, 0, 1280, 1024 };
    const RECT strip = GetNoticeTextRect(monitor, 26);
    EXPECT_EQ(strip.left, 0);
    EXPECT_EQ(strip.right, 1270);
    EXPECT_EQ(strip.top, 1024 - 76);
    EXPECT_EQ(strip.bottom, 1024 - 50);
}

TEST(NoticeGeometry, FollowsAMonitorThatDoesNotStartAtTheOrigin)
{
    const RECT monitor = { -1920, 200, 0, 1280 };
    const RECT strip = GetNoticeTextRect(monitor, 20);
    EXPECT_EQ(strip.left, -1920);
    EXPECT_EQ(strip.right, -10);
    EXPECT_EQ(strip.bottom, 1280 - 50);
    const RECT slider = GetNoticeSliderRect(monitor, 26, 265);
    EXPECT_EQ(slider.right, -10);
    EXPECT_EQ(slider.right - slider.left, 119);
    EXPECT_EQ(slider.bottom, 1280 - 26 - 60);
    EXPECT_EQ(slider.bottom - slider.top, 265);
}
