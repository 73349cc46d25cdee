#include "CFODropColorPaletteControl.h"
#include "CFOPopupColorPaletteWnd.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

namespace
{
// The control of a 200 by 150 palette.
class PaletteLayoutTest : public testing::Test
{
protected:
    CFODropColorPaletteControl m_control{ RGB(80, 80, 80) };

    void SetUp() override { m_control.Attach(nullptr, kPaletteColors[10], CRect(0, 0, 200, 150), true); }
};
}

TEST(PaletteColors, TheTableHoldsTheCornersAndTheOddOne)
{
    EXPECT_EQ(kPaletteColors[0], 0xFFFFFFu);
    EXPECT_EQ(kPaletteColors[7], 0xFFC0FFu);
    EXPECT_EQ(kPaletteColors[23], 0xB469FFu);
    EXPECT_EQ(kPaletteColors[40], 0x000000u);
    EXPECT_EQ(kPaletteColors[47], 0x400040u);
}

TEST(PaletteNavigation, ArrowsWrapAroundTheGrid)
{
    struct Case
    {
        const char* what;
        int from;
        UINT key;
        int to;
    } cases[] = {
        { "right on the last cell", 47, VK_RIGHT, 0 },
        { "right at a row's end", 7, VK_RIGHT, 8 },
        { "down on the last row", 43, VK_DOWN, 3 },
        { "up on the first row", 3, VK_UP, 43 },
        { "left at a row's start", 8, VK_LEFT, 7 },
        { "left on the first cell", 0, VK_LEFT, 0 },
        { "another key", 12, VK_HOME, 12 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CFODropColorPaletteControl::NextCell(c.from, c.key), c.to) << c.what;
}

TEST_F(PaletteLayoutTest, GridAndCustomButtonShareTheAreaInsideTheMargin)
{
    EXPECT_EQ(m_control.GetGridRect(), CRect(4, 4, 196, 122));
    EXPECT_EQ(m_control.GetCustomRect(), CRect(4, 121, 196, 146)) << "one pixel shared with the grid";
    EXPECT_EQ(m_control.GetCell(0).GetRect(), CRect(4, 4, 28, 23));
    EXPECT_EQ(m_control.GetCell(9).GetRect(), CRect(28, 23, 52, 43));
    EXPECT_EQ(m_control.GetCell(47).GetRect(), CRect(172, 102, 196, 122));
    EXPECT_EQ(m_control.GetCell(23).GetColor(), 0xB469FFu);
    EXPECT_EQ(m_control.GetSelectedCell(), 10);
}

TEST_F(PaletteLayoutTest, HitTestsFindTheCellWhoseRectangleHoldsThePoint)
{
    struct Case
    {
        const char* what;
        CPoint point;
        int cell;
    } cases[] = {
        { "inside cell 0", CPoint(15, 12), 0 },
        { "the gap at cell 0's right", CPoint(27, 12), 0 },
        { "the gap at cell 1's left", CPoint(28, 12), 1 },
        { "the gap between rows", CPoint(15, 23), 8 },
        { "the margin", CPoint(2, 2), -1 },
        { "the custom button", CPoint(100, 135), -1 },
        { "the last cell's corner", CPoint(195, 121), 47 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(m_control.HitTest(c.point.x, c.point.y), c.cell) << c.what;
    EXPECT_TRUE(m_control.IsInCustomButton(100, 135));
    EXPECT_FALSE(m_control.IsInCustomButton(100, 100));
}

TEST_F(PaletteLayoutTest, AColourNoCellHasStartsTheArrowsAtCellZero)
{
    m_control.SetCurrentColor(RGB(1, 2, 3));
    EXPECT_EQ(m_control.GetSelectedCell(), -1);
    EXPECT_EQ(m_control.GetCurrentColor(), RGB(1, 2, 3)) << "kept although no cell has it";
    EXPECT_TRUE(m_control.MoveSelection(VK_RIGHT));
    EXPECT_EQ(m_control.GetSelectedCell(), 1);
    EXPECT_FALSE(m_control.MoveSelection(VK_RETURN));
    EXPECT_EQ(m_control.GetSelectedCell(), 1);
}

TEST_F(PaletteLayoutTest, CustomTextIsTranslatedCasedAndBrokenAtItsFirstLineBreak)
{
    EXPECT_EQ(m_control.GetCustomText(), L"$Custom") << "kept when no language has it";
    m_control.SetCaseMode(1);
    m_control.SetCustomText(L"More\\ncolours\\nhere");
    EXPECT_EQ(m_control.GetCustomText(), L"MORE\r\nCOLOURS\\NHERE");
}

TEST_F(PaletteLayoutTest, SaveWritesAnEmptyFileAndLoadChangesNothing)
{
    const CTestSkinFolder scratch(L"VelmoraPalette");
    const CString folder = scratch.Path();
    const CString path = folder + L"palette.dat";
    ASSERT_TRUE(m_control.SaveToFile(path));
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ASSERT_TRUE(::GetFileAttributesExW(path, GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 0u);
    EXPECT_TRUE(m_control.LoadFromFile(path));
    EXPECT_EQ(m_control.GetSelectedCell(), 10);
    EXPECT_FALSE(m_control.LoadFromFile(folder + L"missing.dat"));
    EXPECT_FALSE(m_control.SaveToFile(folder + L"no\\such\\folder\\palette.dat"));
}

TEST(PalettePlacement, BesideTheAnchorInsideTheWorkArea)
{
    const CRect work(0, 0, 1024, 768);
    const CSize size(206, 156);
    struct Case
    {
        const char* what;
        CRect anchor;
        bool alignLeft;
        CPoint origin;
    } cases[] = {
        { "left-aligned below", CRect(100, 100, 200, 122), true, CPoint(100, 122) },
        { "right of the anchor below", CRect(100, 100, 200, 122), false, CPoint(200, 122) },
        { "left-aligned at the right edge", CRect(900, 100, 1000, 122), true, CPoint(794, 122) },
        { "right of the anchor at the right edge", CRect(900, 100, 1000, 122), false, CPoint(694, 122) },
        { "at the bottom edge", CRect(100, 700, 200, 722), true, CPoint(100, 544) },
        { "just fits at the bottom", CRect(100, 590, 200, 612), true, CPoint(100, 612) },
    };
    for (const Case& c : cases)
    {
        const CRect placed = CFOPopupColorPaletteWnd::PlaceBeside(c.anchor, size, work, c.alignLeft);
        EXPECT_EQ(placed.left, c.origin.x) << c.what;
        EXPECT_EQ(placed.top, c.origin.y) << c.what;
        EXPECT_EQ(placed.Size(), size) << c.what;
    }
}
