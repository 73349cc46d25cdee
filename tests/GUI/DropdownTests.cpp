#include "CDropdownListItem.h"
#include "CListPanelItem.h"
#include "GUIMessages.h"
#include "ModalDriver.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace ModalTest;

namespace
{
const ListColourSet kColours = { { 1, RGB(250, 250, 250) }, { 2, RGB(250, 250, 0) }, { 3, RGB(0, 250, 250) },
    { 4, RGB(90, 90, 90) }, { 5, RGB(30, 30, 30) }, { 6, RGB(30, 30, 110) }, { 7, RGB(110, 30, 30) },
    { 8, RGB(60, 60, 60) }, { 9, RGB(200, 200, 200) }, { 10, RGB(200, 200, 0) }, { 11, RGB(0, 200, 200) },
    { 12, RGB(120, 120, 120) }, { 13, RGB(160, 160, 160) }, { 15, RGB(250, 0, 0) }, { 16, RGB(80, 80, 80) } };

class DropdownTest : public testing::Test
{
protected:
    CRecordingParent m_parent;
    CDropdownListItem m_dropdown;
    DWORD m_thread = ::GetCurrentThreadId();

    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Create(CRect(0, 0, 400, 400)));
        m_dropdown.SetColourSet(kColours);
        ASSERT_TRUE(m_dropdown.CreateDropdown(5 * 18 + 2, 0, CRect(20, 20, 220, 44), &m_parent, 0xFFFF));
        for (const wchar_t* text : { L"Alpha", L"beta", L"Gamma" })
            m_dropdown.AddString(text);
        ASSERT_TRUE(WindowTest::BringToForeground(m_parent.m_hWnd));
        WindowTest::MoveMouseTo(CPoint(700, 700));
        WindowTest::PumpFor(50);
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    POINT BoxCentre() const
    {
        POINT centre = { 100, 12 };
        m_dropdown.ClientToScreen(&centre);
        return centre;
    }
    // Opens the list with a real click on the box and runs the rest of the script.
    void RunScript(const std::function<void()>& afterOpen)
    {
        CScript script([&] {
            WindowTest::MoveMouseTo(BoxCentre());
            ::Sleep(80);
            ClickScreen(BoxCentre());
            afterOpen();
            WaitForNoPanel(m_thread);
        });
        script.Finish();
    }
    int SelChanges() const { return m_parent.CountOf(WM_GUI_DROPDOWN_SELCHANGE); }
};
}

TEST_F(DropdownTest, ChoiceSendsSelChangeWithTheCaseInsensitiveMatch)
{
    RunScript([&] {
        HWND panel = WaitForPanels(m_thread, 1);
        // The owner refills the entries while the list is open, with other case.
        m_parent.RunOnWindowThread([&] {
            m_dropdown.ResetContent();
            m_dropdown.AddString(L"GAMMA");
            m_dropdown.AddString(L"BETA");
        });
        ClickRow(panel, 1);
    });
    ASSERT_EQ(m_parent.CountOf(WM_GUI_DROPDOWN_CLICKED), 1);
    ASSERT_EQ(SelChanges(), 1);
    EXPECT_EQ(m_parent.m_records.front().message, WM_GUI_DROPDOWN_CLICKED) << "the click is reported before the list opens";
    const CRecordingParent::Record& change = m_parent.m_records.back();
    EXPECT_EQ(change.wParam, 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(change.lParam), m_dropdown.m_hWnd);
    EXPECT_EQ(m_dropdown.GetShownText(), L"BETA");
    EXPECT_EQ(m_dropdown.GetCurSel(), 1);
    EXPECT_FALSE(m_dropdown.IsListOpen());
}

TEST_F(DropdownTest, SecondLevelChoiceSetsTheSubText)
{
    CListPanelItem keymaps(120, 0);
    keymaps.AddEntry(CListEntry(L"Keymap 1"));
    keymaps.AddEntry(CListEntry(L"Keymap 2"));
    CListEntry entry(L"$Keymap");
    entry.m_pSubList = &keymaps;
    m_dropdown.AddEntry(entry);
    CString shownWhileOpen;
    RunScript([&] {
        ClickRow(WaitForPanels(m_thread, 1), 3);
        HWND second = WaitForPanels(m_thread, 2);
        m_parent.RunOnWindowThread([&] { shownWhileOpen = m_dropdown.IsListOpen() ? L"open" : L"closed"; });
        ClickRow(second, 1);
    });
    EXPECT_EQ(shownWhileOpen, L"open");
    ASSERT_EQ(SelChanges(), 1);
    EXPECT_EQ(m_parent.m_records.back().wParam, 3u);
    EXPECT_EQ(m_dropdown.GetShownText(), L"$Keymap");
    EXPECT_EQ(m_dropdown.GetShownSubText(), L"Keymap 2");
    EXPECT_EQ(m_dropdown.GetDisplayText(), L"$Keymap: Keymap 2");
    EXPECT_EQ(m_dropdown.GetChosenPath(), (std::vector<CString>{ L"$Keymap", L"Keymap 2" }));
}

TEST_F(DropdownTest, CancelOrNoMatchSendsNothing)
{
    m_dropdown.SetCurSel(0);
    RunScript([&] {
        WaitForPanels(m_thread, 1);
        ClickScreen(CPoint(380, 380));
    });
    EXPECT_EQ(m_parent.CountOf(WM_GUI_DROPDOWN_CLICKED), 1);
    EXPECT_EQ(SelChanges(), 0);

    RunScript([&] {
        HWND panel = WaitForPanels(m_thread, 1);
        m_parent.RunOnWindowThread([&] { m_dropdown.ResetContent(); });
        ClickRow(panel, 2);
    });
    EXPECT_EQ(m_parent.CountOf(WM_GUI_DROPDOWN_CLICKED), 2);
    EXPECT_EQ(SelChanges(), 0);
    EXPECT_EQ(m_dropdown.GetShownText(), L"Alpha");
}

TEST_F(DropdownTest, PressingOutsideAndMovingInDoesNotArm)
{
    POINT outside = { 300, 300 };
    m_parent.ClientToScreen(&outside);
    ASSERT_TRUE(WindowTest::MoveMouseTo(outside));
    WindowTest::PumpFor(50);
    WindowTest::PressLeftButton();
    WindowTest::PumpFor(50);
    ASSERT_TRUE(WindowTest::MoveMouseTo(BoxCentre()));
    WindowTest::PumpFor(80);
    EXPECT_FALSE(m_dropdown.IsHot());
    WindowTest::ReleaseLeftButton();
    WindowTest::PumpFor(100);
    EXPECT_EQ(m_parent.CountOf(WM_GUI_DROPDOWN_CLICKED), 0);
    EXPECT_TRUE(OpenPanels(m_thread).empty());
}

TEST_F(DropdownTest, BorderAndStateColours)
{
    struct Case
    {
        const char* state;
        COLORREF border;
        COLORREF back;
    };
    auto sample = [&](const Case& expected) {
        m_dropdown.Invalidate(false);
        WindowTest::PumpFor(80);
        EXPECT_EQ(WindowTest::ScreenPixel(m_dropdown.m_hWnd, CPoint(0, 12)), expected.border) << expected.state;
        EXPECT_EQ(WindowTest::ScreenPixel(m_dropdown.m_hWnd, CPoint(3, 3)), expected.back) << expected.state;
    };
    sample({ "normal", RGB(160, 160, 160), RGB(30, 30, 30) });
    ASSERT_TRUE(WindowTest::MoveMouseTo(BoxCentre()));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return m_dropdown.IsHot(); }));
    sample({ "hot: the border keeps its normal colour", RGB(160, 160, 160), RGB(30, 30, 110) });
    WindowTest::MoveMouseTo(CPoint(700, 700));
    WindowTest::PumpUntil([&] { return !m_dropdown.IsHot(); });
    m_dropdown.m_disabled = true;
    sample({ "disabled", RGB(80, 80, 80), RGB(60, 60, 60) });
}

TEST(DropdownBorder, EvenWidthsWidenTheRightAndBottomEdge)
{
    const CRect client(0, 0, 100, 20);
    struct Case
    {
        int width;
        CRect rect;
    } cases[] = {
        { 1, CRect(0, 0, 100, 20) },
        { 2, CRect(1, 1, 100, 20) },
        { 3, CRect(1, 1, 99, 19) },
        { 4, CRect(2, 2, 99, 19) },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDropdownListItem::BorderRect(client, c.width), c.rect) << c.width;
}

TEST(DropdownEntries, IndexesOutsideTheEntriesAreRefused)
{
    CDropdownListItem dropdown;
    dropdown.AddString(L"One");
    dropdown.AddString(L"Two");
    EXPECT_FALSE(dropdown.InsertString(3, L"Past the end"));
    EXPECT_FALSE(dropdown.InsertString(-1, L"Negative"));
    EXPECT_EQ(dropdown.GetCount(), 2);
    EXPECT_TRUE(dropdown.InsertString(2, L"Three"));
    EXPECT_TRUE(dropdown.InsertString(0, L"Zero"));
    EXPECT_EQ(dropdown.GetItemText(0), L"Zero");
    EXPECT_EQ(dropdown.GetItemText(3), L"Three");
    EXPECT_EQ(dropdown.GetItemText(4), L"");
    EXPECT_EQ(dropdown.SetCurSel(4), 0);
    EXPECT_EQ(dropdown.GetCurSel(), -1);
    EXPECT_EQ(dropdown.SetCurSel(1), 1);
    EXPECT_EQ(dropdown.GetCurSel(), 1);
    LVFINDINFOW find = {};
    find.flags = LVFI_STRING;
    find.psz = L"two";
    EXPECT_EQ(dropdown.FindItem(find), -1) << "case-sensitive";
    find.psz = L"Two";
    EXPECT_EQ(dropdown.FindItem(find), 2);
    find.flags = LVFI_PARAM;
    EXPECT_EQ(dropdown.FindItem(find), -1);
    dropdown.m_captionOverride = L"Choose";
    EXPECT_EQ(dropdown.GetDisplayText(), L"Choose");
}

TEST(DropdownColours, SlotsFollowTheColourSetWhenEverItIsGiven)
{
    CDropdownListItem before;
    before.SetColourSet({ { 5, RGB(1, 2, 3) } });
    EXPECT_EQ(before.GetSlotColour(5), RGB(1, 2, 3));
    EXPECT_EQ(before.GetSlotColour(13), 0u) << "a slot the set lacks is black";
    CDropdownListItem none;
    EXPECT_EQ(none.GetSlotColour(13), 0xFFFFFFu) << "without a set the list panels' defaults";
    EXPECT_EQ(none.GetSlotColour(8), 0x333333u);
}
