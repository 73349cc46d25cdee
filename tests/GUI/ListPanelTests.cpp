#include "CBitmap.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CListPanel.h"
#include "CListPanelItem.h"
#include "CListPanelList.h"
#include "CVScrollBar.h"
#include "GUIMessages.h"
#include "ModalDriver.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace ModalTest;

namespace
{
// Plain scroll-bar pictures of one colour each, 12 pixels wide.
class CScrollPictures
{
public:
    CBitmap m_top, m_up, m_spine, m_thumb, m_down, m_bottom;

    CScrollPictures()
    {
        Make(m_top, 4, RGB(10, 10, 10));
        Make(m_up, 12, RGB(200, 0, 0));
        Make(m_spine, 6, RGB(40, 40, 40));
        Make(m_thumb, 20, RGB(0, 200, 0));
        Make(m_down, 12, RGB(0, 0, 200));
        Make(m_bottom, 4, RGB(10, 10, 10));
    }
    CVScrollValues Values() const
    {
        CVScrollValues values;
        values.m_pTop = &m_top;
        values.m_pUpArrow = &m_up;
        values.m_pSpine = &m_spine;
        values.m_pThumb = &m_thumb;
        values.m_pDownArrow = &m_down;
        values.m_pBottom = &m_bottom;
        return values;
    }

private:
    static void Make(CBitmap& bitmap, int height, COLORREF colour)
    {
        CClientDC screen(nullptr);
        bitmap.CreateCompatibleBitmap(screen, 12, height);
        CDC dc;
        dc.CreateCompatibleDC(screen);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        const RECT all = { 0, 0, 12, height };
        dc.FillSolidRect(all, colour);
        ::SelectObject(dc, old);
    }
};

CListPanelItem* MakeItem(std::vector<std::unique_ptr<CListPanelItem>>& owned, std::initializer_list<const wchar_t*> texts,
    int width = 120)
{
    owned.push_back(std::make_unique<CListPanelItem>(width, 0));
    CListPanelItem* item = owned.back().get();
    for (const wchar_t* text : texts)
        item->AddEntry(CListEntry(text));
    item->m_settings.m_colours = { { 1, RGB(255, 255, 255) }, { 2, RGB(255, 255, 0) }, { 5, RGB(20, 20, 20) },
        { 6, RGB(60, 60, 120) }, { 13, RGB(128, 128, 128) } };
    return item;
}

class ListPanelTest : public testing::Test
{
protected:
    CRecordingParent m_parent;
    std::vector<std::unique_ptr<CListPanelItem>> m_items;
    DWORD m_thread = ::GetCurrentThreadId();

    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Create(CRect(0, 0, 500, 500)));
        ASSERT_TRUE(WindowTest::BringToForeground(m_parent.m_hWnd));
        // The pointer starts away from where the panels open.
        WindowTest::MoveMouseTo(CPoint(700, 700));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    // The list of the innermost open panel, read on the window thread.
    CListPanelList* ListOf(HWND panel)
    {
        auto* object = dynamic_cast<CListPanel*>(CWnd::FromHandle(panel));
        return object ? object->GetList() : nullptr;
    }

    // Runs the item's popup at (20, 20) of the parent while the script drives it.
    int PopupWithScript(CListPanelItem& item, int height, std::vector<CString>& path, const std::function<void()>& steps)
    {
        item.m_pParentWnd = &m_parent;
        CScript script(steps);
        const int result = item.Popup(height, &m_parent, &path, 20, 20);
        script.Finish();
        return result;
    }
};
}

TEST_F(ListPanelTest, NestedChoiceGivesOneAndThePathOfTexts)
{
    CListPanelItem* click = MakeItem(m_items, { L"$click", L"$doubleclick" });
    CListPanelItem* mouse = MakeItem(m_items, { L"$MouseButton", L"$Wheel" });
    mouse->m_entries[0].m_pSubList = click;
    CListPanelItem* menu = MakeItem(m_items, { L"$More", L"$cut" });
    menu->m_entries[0].m_pSubList = mouse;

    std::vector<CString> path;
    const int result = PopupWithScript(*menu, 0, path, [&] {
        ClickRow(WaitForPanels(m_thread, 1), 0);
        ClickRow(WaitForPanels(m_thread, 2), 0);
        ClickRow(WaitForPanels(m_thread, 3), 0);
        WaitForNoPanel(m_thread);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(path, (std::vector<CString>{ L"$More", L"$MouseButton", L"$click" }));
}

TEST_F(ListPanelTest, ClosingTheSecondLevelWithoutAChoiceGivesTwo)
{
    CListPanelItem* mouse = MakeItem(m_items, { L"$MouseButton", L"$Wheel" });
    CListPanelItem* menu = MakeItem(m_items, { L"$More", L"$cut" });
    menu->m_entries[0].m_pSubList = mouse;

    std::vector<CString> path;
    const int result = PopupWithScript(*menu, 0, path, [&] {
        ClickRow(WaitForPanels(m_thread, 1), 0);
        WaitForPanels(m_thread, 2);
        ClickScreen(CPoint(450, 450));
        WaitForNoPanel(m_thread);
    });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(path, std::vector<CString>{ L"$More" }) << "the first level's text was added before the second opened";
}

TEST_F(ListPanelTest, ClickOffTheRowsGivesTwo)
{
    CListPanelItem* menu = MakeItem(m_items, { L"one", L"two" });
    std::vector<CString> path;
    const int result = PopupWithScript(*menu, 100, path, [&] {
        HWND panel = WaitForPanels(m_thread, 1);
        RECT rect = {};
        ::GetWindowRect(panel, &rect);
        // Inside the panel, under the two rows.
        ClickScreen(CPoint(rect.left + 30, rect.bottom - 10));
        WaitForNoPanel(m_thread);
    });
    EXPECT_EQ(result, 2);
    EXPECT_TRUE(path.empty());
}

TEST_F(ListPanelTest, DisabledRowIsNeverHotAndTheEarlierRowIsChosen)
{
    CListPanelItem* empty = MakeItem(m_items, {});
    CListPanelItem* menu = MakeItem(m_items, { L"first", L"disabled", L"empty sub-list" });
    menu->m_entries[1].m_disabled = true;
    menu->m_entries[2].m_pSubList = empty;
    std::vector<int> hotRows;
    std::vector<bool> disabledFlags;
    std::vector<CString> path;
    const int result = PopupWithScript(*menu, 0, path, [&] {
        HWND panel = WaitForPanels(m_thread, 1);
        for (int row : { 0, 1, 2 })
        {
            POINT centre = {};
            RowCentre(panel, row, centre);
            WindowTest::MoveMouseTo(centre);
            ::Sleep(80);
            m_parent.RunOnWindowThread([&] {
                CListPanelList* list = ListOf(panel);
                hotRows.push_back(list ? list->GetHotRow() : -2);
                disabledFlags.push_back(list && list->GetRowEntry(row) && list->GetRowEntry(row)->m_disabled);
            });
        }
        // Still over the row with the empty list: the click chooses the first row.
        WindowTest::PressLeftButton();
        ::Sleep(40);
        WindowTest::ReleaseLeftButton();
        WaitForNoPanel(m_thread);
    });
    EXPECT_EQ(hotRows, (std::vector<int>{ 0, 0, 0 }));
    EXPECT_EQ(disabledFlags, (std::vector<bool>{ false, true, true })) << "an empty second-level list disables its row";
    EXPECT_FALSE(menu->m_entries[2].m_disabled) << "the flag is the open copy's, not the caller's";
    EXPECT_EQ(result, 1);
    EXPECT_EQ(path, std::vector<CString>{ L"first" });
}

TEST(ListPanelScrollBar, NeededOnlyWhenLowerThanEighteenPixelsAnEntry)
{
    struct Case
    {
        int height;
        int entries;
        bool needed;
    } cases[] = {
        { 90, 5, false },
        { 89, 5, true },
        { 0, 0, false },
        { 18, 1, false },
        { 17, 1, true },
        { 360, 20, false },
        { 359, 20, true },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CListPanelList::NeedsScrollBar(c.height, c.entries), c.needed) << c.height << " for " << c.entries;
}

TEST(VScrollBarThumb, FollowsTheScrollInformation)
{
    struct Case
    {
        int nMax;
        UINT nPage;
        int nPos;
        int thumbTop;
    } cases[] = {
        { 24, 5, 0, 16 },     // first position: the track's top
        { 24, 5, 20, 116 },   // last position (24 - 5 + 1): the track's end
        { 24, 5, 10, 66 },    // half-way
        { 4, 5, 0, 16 },      // nothing scrolls
        { 5, 5, 1, 116 },     // nMax equal to nPage still scrolls one row
        { 0, 0, 0, 16 },      // empty list
        { 24, 5, 30, 16 },    // a position outside the range
    };
    for (const Case& c : cases)
    {
        SCROLLINFO info = {};
        info.nMax = c.nMax;
        info.nPage = c.nPage;
        info.nPos = c.nPos;
        EXPECT_EQ(CVScrollBar::ThumbTopFor(info, 16, 100.0), c.thumbTop) << c.nMax << "/" << c.nPage << "/" << c.nPos;
    }
    SCROLLINFO info = {};
    info.nMax = 24;
    info.nPage = 5;
    EXPECT_EQ(LastScrollPosition(info), 20);
    EXPECT_EQ(CVScrollBar::PositionForThumb(info, 16, 16, 100.0), 0);
    EXPECT_EQ(CVScrollBar::PositionForThumb(info, 116, 16, 100.0), 20) << "the track's end reaches the last row";
    EXPECT_EQ(CVScrollBar::PositionForThumb(info, 500, 16, 100.0), 20);
    EXPECT_EQ(CVScrollBar::PositionForThumb(info, 66, 16, 100.0), 10);
    info.nMax = 4;
    EXPECT_EQ(CVScrollBar::PositionForThumb(info, 66, 16, 100.0), -1) << "nothing scrolls";
}

class ScrollingListPanelTest : public ListPanelTest
{
protected:
    CScrollPictures m_pictures;
    CListPanelItem* m_menu = nullptr;

    void SetUp() override
    {
        ListPanelTest::SetUp();
        m_menu = MakeItem(m_items, {}, 140);
        for (int i = 0; i < 20; ++i)
        {
            CString text;
            text.Format(L"Profile %d", i + 1);
            m_menu->AddEntry(CListEntry(text));
        }
        m_menu->SetScrollBar(m_pictures.Values().GetBarWidth(), m_pictures.Values());
    }

    struct ListState
    {
        int rowHeight = 0;
        int countPerPage = 0;
        int nMax = 0;
        int nPage = 0;
        int nPos = -1;
        int topIndex = -1;
        bool barShown = false;
        int thumbTop = -1;
        RECT thumbScreen = {};
    };

    ListState Read(HWND panel)
    {
        ListState state;
        m_parent.RunOnWindowThread([&] {
            CListPanelList* list = ListOf(panel);
            if (!list)
                return;
            state.rowHeight = list->GetRowHeight();
            state.countPerPage = list->GetCountPerPage();
            SCROLLINFO info = {};
            info.fMask = SIF_ALL;
            list->GetScrollInfo(SB_VERT, &info);
            state.nMax = info.nMax;
            state.nPage = static_cast<int>(info.nPage);
            state.nPos = info.nPos;
            state.topIndex = list->GetTopIndex();
            state.barShown = list->IsScrollBarShown();
            if (CVScrollBar* bar = list->GetScrollBar())
            {
                state.thumbTop = bar->GetThumbTop();
                RECT client = {};
                bar->GetClientRect(&client);
                state.thumbScreen = { client.left, bar->GetThumbTop(), client.right, bar->GetThumbTop() + bar->GetThumbHeight() };
                bar->ClientToScreen(&state.thumbScreen);
            }
        });
        return state;
    }
};

TEST_F(ScrollingListPanelTest, RowsAreEighteenPixelsAndTheWheelReachesTheLastRow)
{
    std::vector<CString> path;
    ListState opened;
    ListState scrolled;
    // Five whole rows and the border of 1 above and below.
    const int result = PopupWithScript(*m_menu, 5 * 18 + 2, path, [&] {
        HWND panel = WaitForPanels(m_thread, 1);
        opened = Read(panel);
        POINT centre = {};
        RowCentre(panel, 2, centre);
        WindowTest::MoveMouseTo(centre);
        for (int notch = 0; notch < 25; ++notch)
            TurnWheel(-WHEEL_DELTA);
        ::Sleep(100);
        scrolled = Read(panel);
        ClickRow(panel, 19);
        WaitForNoPanel(m_thread);
    });
    EXPECT_EQ(opened.rowHeight, 18);
    EXPECT_EQ(opened.countPerPage, 5);
    EXPECT_EQ(opened.nMax, 19);
    EXPECT_EQ(opened.nPage, 5);
    EXPECT_TRUE(opened.barShown);
    EXPECT_EQ(scrolled.topIndex, 15) << "the 20th row is the last one shown";
    EXPECT_EQ(scrolled.nPos, 15);
    EXPECT_GT(scrolled.thumbTop, opened.thumbTop);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(path, std::vector<CString>{ L"Profile 20" });
}

TEST_F(ScrollingListPanelTest, DraggingTheThumbToTheEndReachesTheLastRow)
{
    std::vector<CString> path;
    ListState dragged;
    const int result = PopupWithScript(*m_menu, 5 * 18 + 2, path, [&] {
        HWND panel = WaitForPanels(m_thread, 1);
        const ListState opened = Read(panel);
        const POINT grab = { (opened.thumbScreen.left + opened.thumbScreen.right) / 2,
            (opened.thumbScreen.top + opened.thumbScreen.bottom) / 2 };
        // Over the list first, then into the bar's strip, which passes the capture on.
        POINT centre = {};
        RowCentre(panel, 1, centre);
        WindowTest::MoveMouseTo(centre);
        ::Sleep(50);
        WindowTest::MoveMouseTo(grab);
        ::Sleep(50);
        WindowTest::PressLeftButton();
        ::Sleep(50);
        for (int dy = 10; dy <= 200; dy += 10)
        {
            WindowTest::MoveMouseTo(CPoint(grab.x, grab.y + dy));
            ::Sleep(20);
        }
        WindowTest::ReleaseLeftButton();
        ::Sleep(100);
        dragged = Read(panel);
        ClickRow(panel, 19);
        WaitForNoPanel(m_thread);
    });
    EXPECT_EQ(dragged.topIndex, 15);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(path, std::vector<CString>{ L"Profile 20" });
}

TEST_F(ScrollingListPanelTest, ClickingTheTrackBelowTheThumbNearTheEndScrollsToTheEndExactly)
{
    std::vector<CString> path;
    ListState paged;
    ListState ended;
    PopupWithScript(*m_menu, 5 * 18 + 2, path, [&] {
        HWND panel = WaitForPanels(m_thread, 1);
        const ListState opened = Read(panel);
        // Just above the down arrow and the bottom piece (12 and 4 pixels high).
        const POINT track = { (opened.thumbScreen.left + opened.thumbScreen.right) / 2, opened.thumbScreen.top - 16 + 90 - 17 };
        POINT centre = {};
        RowCentre(panel, 1, centre);
        WindowTest::MoveMouseTo(centre);
        ClickScreen(track);
        ::Sleep(100);
        paged = Read(panel);
        for (int notch = 0; notch < 7; ++notch)
            TurnWheel(-WHEEL_DELTA);
        ::Sleep(100);
        ClickScreen(track);
        ::Sleep(100);
        ended = Read(panel);
    });
    EXPECT_EQ(paged.topIndex, 5) << "far from the end a page down";
    EXPECT_EQ(ended.topIndex, 15) << "near the end straight to the last position";
}

TEST_F(ScrollingListPanelTest, WithScrollWidthZeroNoBarShowsAndTheWheelDoesNotScroll)
{
    m_menu->SetScrollBar(0, m_pictures.Values());
    std::vector<CString> path;
    ListState scrolled;
    PopupWithScript(*m_menu, 5 * 18 + 2, path, [&] {
        HWND panel = WaitForPanels(m_thread, 1);
        POINT centre = {};
        RowCentre(panel, 2, centre);
        WindowTest::MoveMouseTo(centre);
        TurnWheel(-3 * WHEEL_DELTA);
        ::Sleep(100);
        scrolled = Read(panel);
    });
    EXPECT_FALSE(scrolled.barShown);
    EXPECT_EQ(scrolled.topIndex, 0);
}

TEST_F(ListPanelTest, RefillingTheEntriesWhileOpenChangesNothingInTheOpenList)
{
    CListPanelItem* mouse = MakeItem(m_items, { L"$MouseButton", L"$Wheel" });
    CListPanelItem* menu = MakeItem(m_items, { L"Profile 1", L"$More", L"Profile 3" });
    menu->m_entries[1].m_pSubList = mouse;
    std::vector<CString> path;
    const int result = PopupWithScript(*menu, 0, path, [&] {
        HWND panel = WaitForPanels(m_thread, 1);
        // A device event refills the lists on the window thread while the panel is open.
        m_parent.RunOnWindowThread([&] {
            menu->ResetContent();
            menu->AddEntry(CListEntry(L"Other"));
            mouse->ResetContent();
        });
        ClickRow(panel, 1);
        HWND second = WaitForPanels(m_thread, 2);
        m_parent.RunOnWindowThread([&] { m_items.erase(m_items.begin()); });
        ClickRow(second, 1);
        WaitForNoPanel(m_thread);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(path, (std::vector<CString>{ L"$More", L"$Wheel" }));
}
