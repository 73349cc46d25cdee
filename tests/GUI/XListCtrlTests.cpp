#include "CBitmap.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CImageList.h"
#include "CListPanelItem.h"
#include "CSelectObject.h"
#include "CVScrollBar.h"
#include "CXComboList.h"
#include "CXListCellRecord.h"
#include "CXListCtrl.h"
#include "GUIMessages.h"
#include "IFileChooser.h"
#include "ModalDriver.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <psapi.h>

#include <memory>
#include <vector>

using namespace ModalTest;

namespace
{
// A message the list sent, with what its record pointed to at the time.
struct Received
{
    UINT message;
    int rowKey;
    int column;
    CString text;
    int check;

    bool operator==(const Received& other) const
    {
        return message == other.message && rowKey == other.rowKey && column == other.column && text == other.text &&
            check == other.check;
    }
};

std::ostream& operator<<(std::ostream& out, const Received& r)
{
    return out << std::hex << "{0x" << r.message << std::dec << ", " << r.rowKey << ", " << r.column << ", \""
               << static_cast<const char*>(nullptr ? "" : "") << r.text.GetLength() << " chars\", " << r.check << "}";
}

// Gives the paths it is told, or cancels when it has none left.
class CStubChooser : public IFileChooser
{
public:
    std::vector<CString> m_answers;
    std::vector<Request> m_requests;

    bool ChooseFile(const Request& request, CString& path) override
    {
        m_requests.push_back(request);
        if (m_answers.empty())
            return false;
        path = m_answers.front();
        m_answers.erase(m_answers.begin());
        return !path.IsEmpty();
    }
};

void MakeSquare(CBitmap& bitmap, int size, COLORREF colour)
{
    CClientDC screen(nullptr);
    bitmap.CreateCompatibleBitmap(screen, size, size);
    CDC dc;
    dc.CreateCompatibleDC(screen);
    CSelectObject select(dc, bitmap);
    dc.FillSolidRect(CRect(0, 0, size, size), colour);
}

void SendMouseButton(DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
}

void RightClickScreen(POINT screen)
{
    WindowTest::MoveMouseTo(screen);
    ::Sleep(60);
    SendMouseButton(MOUSEEVENTF_RIGHTDOWN);
    ::Sleep(40);
    SendMouseButton(MOUSEEVENTF_RIGHTUP);
    ::Sleep(40);
}

class XListCtrlTest : public testing::Test
{
protected:
    CRecordingParent m_parent;
    CBitmap m_unchecked;
    CBitmap m_checked;
    std::unique_ptr<CXListCtrl> m_list;
    std::vector<Received> m_received;
    DWORD m_thread = ::GetCurrentThreadId();

    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Create(CRect(0, 0, 600, 400)));
        ASSERT_TRUE(WindowTest::BringToForeground(m_parent.m_hWnd));
        WindowTest::MoveMouseTo(CPoint(700, 700));
        m_parent.m_onRecord = [this](const CRecordingParent::Record& record) { Keep(record); };
        MakeSquare(m_unchecked, 14, RGB(30, 40, 60));
        MakeSquare(m_checked, 14, RGB(0, 220, 0));
        m_list = std::make_unique<CXListCtrl>();
        ASSERT_TRUE(m_list->Create(CRect(20, 20, 460, 300), &m_parent, true, 1, true, nullptr));
        m_list->SetBackColour(RGB(20, 20, 20));
        m_list->SetSelectedBackColour(RGB(60, 60, 120));
        // The columns stand out of id order: the auto-switch column (id 4) is the fourth.
        AddColumn(LCITEM_PROFILECURRENT, XLISTCELL_CHECKBOX, true, L"On", 40);
        AddColumn(LCITEM_PROFILEID, XLISTCELL_STATIC, false, L"No.", 40);
        AddColumn(LCITEM_PROFILENAME, XLISTCELL_STATIC, false, L"Name", 120);
        AddColumn(LCITEM_AUTOSWITCH, XLISTCELL_CHECKBOX, false, L"Auto", 50);
        AddColumn(LCITEM_PROFILEEXE, XLISTCELL_FILEDIALOG, false, L"Application", 150);
        for (int key = 0; key < 3; ++key)
        {
            ASSERT_EQ(m_list->InsertRow(key), key);
            CString name;
            name.Format(L"Profile %d", key + 1);
            m_list->SetCellText(key, LCITEM_PROFILENAME, name);
        }
        m_list->EnsureVisible(0, false);
        m_list->UpdateWindow();
    }
    void TearDown() override
    {
        m_list.reset();
        m_parent.DestroyWindow();
    }

    void AddColumn(int id, int kind, bool exclusive, const wchar_t* title, int width)
    {
        CXListColumn column;
        column.m_kind = kind;
        column.m_exclusive = exclusive;
        column.m_pUnchecked = &m_unchecked;
        column.m_pChecked = &m_checked;
        ASSERT_GE(m_list->AddColumn(id, column, title, width), 0);
    }

    void Keep(const CRecordingParent::Record& record)
    {
        Received kept = { record.message, -1, -1, CString(), -1 };
        if (record.message == WM_GUI_LIST_ROW_CLICKED)
        {
            kept.rowKey = static_cast<int>(record.wParam);
            m_received.push_back(kept);
            return;
        }
        const auto* cell = reinterpret_cast<const CXListCellRecord*>(record.lParam);
        if (!cell)
            return;
        kept.rowKey = cell->m_rowKey;
        kept.column = cell->m_column;
        if (record.message == WM_GUI_LIST_CHECKBOX_CHANGED)
            kept.check = cell->GetCheck() ? 1 : 0;
        else if (cell->m_value)
            kept.text = cell->GetText();
        m_received.push_back(kept);
    }

    CPoint CellCentre(int rowKey, int columnId)
    {
        CRect cell;
        m_list->GetCellRect(m_list->FindRowByKey(rowKey), m_list->GetSubItem(columnId), &cell);
        return CPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    }

    int CountOf(UINT message) const
    {
        int count = 0;
        for (const Received& r : m_received)
            count += r.message == message ? 1 : 0;
        return count;
    }
};
}

TEST_F(XListCtrlTest, CheckBoxClicksFollowTheColumnKindAndTheTwelvePixelArea)
{
    m_list->SetRowEnabled(2, false);
    struct Case
    {
        const char* what;
        int rowKey;
        int columnId;
        int dx;
        // Expected check states of rows 0 to 2 in the clicked column afterwards.
        int states[3];
        // The check-box message expected (-1: none), and whether a row click is reported.
        int sent;
        bool rowClicked;
    } cases[] = {
        { "an unchecked exclusive cell", 1, LCITEM_PROFILECURRENT, 0, { 0, 1, 0 }, 1, true },
        { "another exclusive cell takes the check", 0, LCITEM_PROFILECURRENT, 5, { 1, 0, 0 }, 1, true },
        { "a checked exclusive cell clicked again", 0, LCITEM_PROFILECURRENT, 0, { 1, 0, 0 }, -1, true },
        { "a plain cell inside the area", 0, LCITEM_AUTOSWITCH, -5, { 1, 0, 0 }, 1, true },
        { "a plain cell just outside the area", 0, LCITEM_AUTOSWITCH, 7, { 1, 0, 0 }, -1, true },
        { "a plain cell toggled back", 0, LCITEM_AUTOSWITCH, 5, { 0, 0, 0 }, 0, true },
        { "a row that is not enabled", 2, LCITEM_AUTOSWITCH, 0, { 0, 0, 0 }, -1, false },
    };
    for (const Case& c : cases)
    {
        m_received.clear();
        CPoint point = CellCentre(c.rowKey, c.columnId);
        point.x += c.dx;
        ASSERT_TRUE(WindowTest::ClickAt(m_list->m_hWnd, point)) << c.what;
        WindowTest::PumpFor(60);
        for (int key = 0; key < 3; ++key)
            EXPECT_EQ(m_list->GetCheckbox(key, c.columnId), c.states[key]) << c.what << ", row " << key;
        std::vector<Received> expected;
        if (c.sent >= 0)
            expected.push_back({ WM_GUI_LIST_CHECKBOX_CHANGED, c.rowKey, c.columnId, CString(), c.sent });
        if (c.rowClicked)
            expected.push_back({ WM_GUI_LIST_ROW_CLICKED, c.rowKey, -1, CString(), -1 });
        EXPECT_EQ(m_received, expected) << c.what;
    }
    EXPECT_EQ(m_list->GetSelectedRowKey(), 0) << "the click's default handling selected the row";
}

TEST_F(XListCtrlTest, HeaderImageFollowsWhetherEveryRowIsChecked)
{
    CXHeaderCtrl& header = m_list->GetHeader();
    ASSERT_TRUE(header.IsWindow());
    const int subItem = m_list->GetSubItem(LCITEM_AUTOSWITCH);
    HDITEMW item = {};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    ASSERT_TRUE(header.GetItem(subItem, &item));
    item.fmt |= HDF_IMAGE;
    item.iImage = 0;
    ASSERT_TRUE(header.SetItem(subItem, &item));
    auto image = [&] {
        HDITEMW read = {};
        read.mask = HDI_IMAGE;
        header.GetItem(subItem, &read);
        return read.iImage;
    };
    // Without an image list nothing is drawn for the image and nothing fails.
    for (int key = 0; key < 3; ++key)
        EXPECT_EQ(m_list->SetCheckbox(key, LCITEM_AUTOSWITCH, 1), 1);
    header.UpdateWindow();
    EXPECT_EQ(image(), 1) << "every row checked";

    CImageList images;
    ASSERT_TRUE(images.Create(12, 12, ILC_COLOR32, 2, 1));
    header.SetImageList(images);
    EXPECT_EQ(header.GetImageWidth(), 12);
    m_list->SetCheckbox(1, LCITEM_AUTOSWITCH, 0);
    EXPECT_EQ(image(), 0) << "one row unchecked";
    const CPoint centre = CellCentre(1, LCITEM_AUTOSWITCH);
    ASSERT_TRUE(WindowTest::ClickAt(m_list->m_hWnd, centre));
    WindowTest::PumpFor(60);
    EXPECT_EQ(image(), 1) << "checking the last unchecked row by a click";
    header.Invalidate();
    header.UpdateWindow();
    header.SetImageList(nullptr);
    EXPECT_EQ(m_list->SetCheckbox(42, LCITEM_AUTOSWITCH, 1), 0) << "an unknown row";
    EXPECT_EQ(m_list->SetCheckbox(0, 9, 1), 0) << "an unknown column";
}

TEST_F(XListCtrlTest, AddColumnRefusesAnEleventhColumnADuplicateAndMinusOne)
{
    CXListColumn column;
    column.m_kind = XLISTCELL_STATIC;
    EXPECT_EQ(m_list->AddColumn(LCITEM_PROFILENAME, column, L"Again", 40), -1) << "a duplicate id";
    EXPECT_EQ(m_list->AddColumn(-1, column, L"None", 40), -1) << "id -1";
    CXListColumn noKind;
    EXPECT_EQ(m_list->AddColumn(20, noKind, L"No kind", 40), -1) << "kind -1";
    for (int id = 10; id < 15; ++id)
        EXPECT_EQ(m_list->AddColumn(id, column, L"", 10), id - 5);
    EXPECT_EQ(m_list->GetColumnCount(), 10);
    EXPECT_EQ(m_list->AddColumn(15, column, L"Eleventh", 10), -1);
    EXPECT_EQ(m_list->GetColumnCount(), 10);
    EXPECT_EQ(m_list->GetColumnId(3), LCITEM_AUTOSWITCH);
    EXPECT_EQ(m_list->GetColumnId(10), -1);
}

TEST_F(XListCtrlTest, DraggingADividerLeavesEveryWidthUnchanged)
{
    CXHeaderCtrl& header = m_list->GetHeader();
    std::vector<int> before;
    for (int column = 0; column < m_list->GetColumnCount(); ++column)
        before.push_back(m_list->GetColumnWidth(column));
    CRect item;
    ASSERT_TRUE(header.GetItemRect(2, &item));
    POINT divider = { item.right - 1, (item.top + item.bottom) / 2 };
    header.ClientToScreen(&divider);
    WindowTest::MoveMouseTo(divider);
    WindowTest::PumpFor(50);
    WindowTest::PressLeftButton();
    WindowTest::PumpFor(50);
    for (int dx = 10; dx <= 60; dx += 10)
    {
        WindowTest::MoveMouseTo(CPoint(divider.x + dx, divider.y));
        WindowTest::PumpFor(20);
    }
    WindowTest::ReleaseLeftButton();
    WindowTest::PumpFor(100);
    std::vector<int> after;
    for (int column = 0; column < m_list->GetColumnCount(); ++column)
        after.push_back(m_list->GetColumnWidth(column));
    EXPECT_EQ(after, before);
    // A divider's double click would fit the column to its texts.
    NMHEADERW notice = {};
    notice.hdr.hwndFrom = header.m_hWnd;
    notice.hdr.code = HDN_DIVIDERDBLCLICKW;
    notice.iItem = 2;
    m_list->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
    EXPECT_EQ(m_list->GetColumnWidth(2), before[2]);
    notice.hdr.code = HDN_BEGINTRACKW;
    EXPECT_EQ(m_list->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice)), TRUE) << "tracking is refused";
}

TEST_F(XListCtrlTest, MenuAssignsAndUnassignsTheApplicationThroughTheChooser)
{
    CStubChooser chooser;
    chooser.m_answers = { L"C:\\Games\\Flight\\Fly.exe" };
    m_list->SetFileChooser(&chooser);
    m_list->SetCheckbox(1, LCITEM_AUTOSWITCH, 1);
    CListPanelItem menu(160, 0);
    for (const wchar_t* text : { L"$AssignApplication", L"$UnassignApplication", L"$Preview" })
        menu.AddEntry(CListEntry(text));
    menu.m_pParentWnd = &m_parent;
    m_list->SetMenu(&menu);
    POINT cell = CellCentre(1, LCITEM_PROFILENAME);
    m_list->ClientToScreen(&cell);
    std::vector<CString> shownAfterAssign;
    CScript script([&] {
        for (int menuRow : { 0, 1, 0, 2 })
        {
            RightClickScreen(cell);
            HWND panel = WaitForPanels(m_thread, 1);
            ClickRow(panel, menuRow);
            WaitForNoPanel(m_thread);
            ::Sleep(100);
            if (menuRow == 0 && shownAfterAssign.empty())
                m_parent.RunOnWindowThread([&] { shownAfterAssign.push_back(m_list->GetCellText(1, LCITEM_PROFILEEXE)); });
        }
    });
    script.Finish();
    const std::vector<Received> expected = {
        { WM_GUI_LIST_ROW_RCLICKED, 1, 0, CString(), -1 },
        { WM_GUI_LIST_CELL_TEXT_CHANGED, 1, LCITEM_PROFILEEXE, L"C:\\Games\\Flight\\Fly.exe", -1 },
        { WM_GUI_LIST_ROW_RCLICKED, 1, 0, CString(), -1 },
        { WM_GUI_LIST_CELL_TEXT_CHANGED, 1, LCITEM_PROFILEEXE, CString(), -1 },
        { WM_GUI_LIST_CHECKBOX_CHANGED, 1, LCITEM_AUTOSWITCH, CString(), 0 },
        // The chooser cancels: nothing is sent, the cell stays empty.
        { WM_GUI_LIST_ROW_RCLICKED, 1, 0, CString(), -1 },
        { WM_GUI_LIST_ROW_RCLICKED, 1, 0, CString(), -1 },
        { WM_GUI_LIST_MENU_COMMAND, 1, 0, L"$Preview", -1 },
    };
    EXPECT_EQ(m_received, expected);
    EXPECT_EQ(shownAfterAssign, std::vector<CString>{ L"Fly.exe" }) << "the cell shows the file's name";
    EXPECT_EQ(m_list->GetCellText(1, LCITEM_PROFILEEXE), L"");
    EXPECT_EQ(m_list->GetCheckbox(1, LCITEM_AUTOSWITCH), 0);
    ASSERT_EQ(chooser.m_requests.size(), 2u);
    EXPECT_TRUE(chooser.m_requests[0].m_open);
    EXPECT_EQ(chooser.m_requests[0].m_filter, L"*.exe|*.exe||");
    EXPECT_EQ(chooser.m_requests[0].m_flags, static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY));
    m_list->SetMenu(nullptr);
}

TEST_F(XListCtrlTest, RowsDeletedAndRefilledAThousandTimesKeepTheirMemory)
{
    auto privateBytes = [] {
        PROCESS_MEMORY_COUNTERS_EX counters = {};
        counters.cb = sizeof(counters);
        ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
        return static_cast<long long>(counters.PrivateUsage);
    };
    // As a page refills it: without repainting in between.
    m_list->SendMessage(WM_SETREDRAW, FALSE);
    auto refill = [&] {
        m_list->DeleteAllItems();
        for (int key = 0; key < 20; ++key)
        {
            m_list->InsertRow(key);
            m_list->SetCellText(key, LCITEM_PROFILENAME, L"A profile with a longer name");
        }
    };
    for (int round = 0; round < 50; ++round)
        refill();
    const long long start = privateBytes();
    for (int round = 0; round < 1000; ++round)
    {
        refill();
        if (round % 2 == 0)
            m_list->DeleteItem(5);
        EXPECT_EQ(m_list->GetRecordCount(), m_list->GetItemCount());
    }
    const long long growth = privateBytes() - start;
    m_list->SendMessage(WM_SETREDRAW, TRUE);
    EXPECT_EQ(m_list->GetRecordCount(), 20);
    // 20 000 rows of ten cells leaked would be megabytes.
    EXPECT_LT(growth, 512 * 1024) << growth << " bytes more";
    m_list->DeleteAllItems();
    EXPECT_EQ(m_list->GetRecordCount(), 0);
}

TEST(XListCtrlSorting, CompareRowsByTextIgnoresCase)
{
    struct Case
    {
        const wchar_t* first;
        const wchar_t* second;
        int sign;
    } cases[] = {
        { L"alpha", L"ALPHA", 0 },
        { L"Alpha", L"beta", -1 },
        { L"gamma", L"Beta", 1 },
        { L"", L"a", -1 },
    };
    for (const Case& c : cases)
    {
        CXListRow first(CXListCtrl::kMaxColumns);
        CXListRow second(CXListCtrl::kMaxColumns);
        first[2].m_text = c.first;
        second[2].m_text = c.second;
        const int result = CXListCtrl::CompareRowsByText(reinterpret_cast<LPARAM>(&first), reinterpret_cast<LPARAM>(&second), 2);
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << static_cast<int>(c.sign);
    }
    CXListRow row(CXListCtrl::kMaxColumns);
    EXPECT_EQ(CXListCtrl::CompareRowsByText(reinterpret_cast<LPARAM>(&row), reinterpret_cast<LPARAM>(&row), 12), 0)
        << "a column outside the rows";
}

TEST(XComboListKeys, TableGivesTheMessageAndTheNewPosition)
{
    struct Case
    {
        UINT key;
        int selection;
        int letterMatch;
        UINT message;
        int position;
    } cases[] = {
        { VK_RETURN, 3, -1, WM_XCOMBOLIST_VK_RETURN, -1 },
        { VK_ESCAPE, 3, -1, WM_XCOMBOLIST_VK_ESCAPE, -1 },
        { VK_PRIOR, 6, -1, WM_XCOMBOLIST_KEYDOWN, 2 },
        { VK_PRIOR, 2, -1, WM_XCOMBOLIST_KEYDOWN, 0 },
        { VK_NEXT, 6, -1, WM_XCOMBOLIST_KEYDOWN, 10 },
        { VK_NEXT, 10, -1, WM_XCOMBOLIST_KEYDOWN, 11 },
        { VK_END, 3, -1, WM_XCOMBOLIST_KEYDOWN, 11 },
        { VK_HOME, 3, -1, WM_XCOMBOLIST_KEYDOWN, 0 },
        { VK_UP, 0, -1, WM_XCOMBOLIST_KEYDOWN, 0 },
        { VK_DOWN, 11, -1, WM_XCOMBOLIST_KEYDOWN, 11 },
        { VK_DOWN, 4, -1, WM_XCOMBOLIST_KEYDOWN, 5 },
        { 'K', 4, 9, WM_XCOMBOLIST_KEYDOWN, 9 },
        { 'Q', 4, -1, 0, -1 },
        { VK_F2, 4, -1, 0, -1 },
        { '5', 4, 2, 0, -1 },
    };
    for (const Case& c : cases)
    {
        // Five visible rows, twelve entries.
        const CXComboList::KeyAction action = CXComboList::ActionForKey(c.key, c.selection, 5, 11, c.letterMatch);
        EXPECT_EQ(action.m_message, c.message) << "key " << c.key << " at " << c.selection;
        EXPECT_EQ(action.m_position, c.position) << "key " << c.key << " at " << c.selection;
    }
    EXPECT_NE(WM_XCOMBOLIST_VK_RETURN, 0u);
    EXPECT_EQ(WM_XCOMBOLIST_KEYDOWN, ::RegisterWindowMessageW(L"WM_XCOMBOLIST_KEYDOWN")) << "registered by name";
}

TEST_F(XListCtrlTest, ComboListIgnoresItsFirstFocusLossAndShrinksToWholeRowsOnce)
{
    std::vector<UINT> registered;
    CWnd other;
    ASSERT_TRUE(other.Create(L"Edit", L"", WS_VISIBLE, CRect(480, 20, 580, 40), &m_parent, 7));
    CXComboList combo(m_parent.m_hWnd);
    m_parent.m_onRecord = nullptr;
    ASSERT_TRUE(combo.Create(CRect(100, 100, 220, 263), m_list->GetFont()));
    combo.SetStrings({ L"Slow", L"", L"Medium", L"Fast" }, L"Fast");
    EXPECT_EQ(combo.GetListBox().GetCount(), 3) << "empty strings are left out";
    EXPECT_EQ(combo.GetSelectedText(), L"Fast");
    const int rowHeight = combo.GetListBox().GetItemHeight(0);
    ASSERT_GT(rowHeight, 0);
    combo.SizeAndFocus();
    CRect window;
    combo.GetWindowRect(&window);
    EXPECT_EQ(window.Height(), (163 - 4) / rowHeight * rowHeight + 4);
    EXPECT_EQ(::GetFocus(), combo.GetListBox().m_hWnd);
    combo.SetWindowPos(nullptr, 0, 0, 120, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    combo.SizeAndFocus();
    combo.GetWindowRect(&window);
    EXPECT_EQ(window.Height(), 300) << "only the first sizing shrinks";

    other.SetFocus();
    WindowTest::PumpFor(20);
    EXPECT_EQ(combo.GetFocusLosses(), 2);
    const size_t before = m_parent.m_records.size();
    combo.SizeAndFocus();
    other.SetFocus();
    WindowTest::PumpFor(20);
    EXPECT_EQ(combo.GetFocusLosses(), 3);
    ASSERT_EQ(m_parent.m_records.size(), before) << "registered messages are not WM_USER ones";
    other.DestroyWindow();
}

TEST_F(XListCtrlTest, ComboCellTakesTheChoiceOnReturnAndEscapeClosesWithoutIt)
{
    ASSERT_TRUE(m_list->SetComboStrings(0, LCITEM_PROFILEEXE, { L"Slow", L"Medium", L"Fast" }, 1));
    EXPECT_EQ(m_list->GetCellText(0, LCITEM_PROFILEEXE), L"Medium") << "an empty cell takes the initial string";
    m_list->SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    CRect cell;
    m_list->GetCellRect(0, m_list->GetSubItem(LCITEM_PROFILEEXE), &cell);
    const CPoint button(cell.right - cell.Height() / 2, (cell.top + cell.bottom) / 2);
    auto open = [&] {
        EXPECT_TRUE(WindowTest::ClickAt(m_list->m_hWnd, button));
        return WindowTest::PumpUntil([&] { return m_list->GetComboList() != nullptr; });
    };
    ASSERT_TRUE(open());
    CXComboList* combo = m_list->GetComboList();
    EXPECT_EQ(combo->GetSelectedText(), L"Medium");
    combo->GetListBox().SetCurSel(2);
    ::SendMessageW(m_list->m_hWnd, WM_XCOMBOLIST_VK_ESCAPE, 0, 0);
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return m_list->GetComboList() == nullptr; }));
    EXPECT_EQ(m_list->GetCellText(0, LCITEM_PROFILEEXE), L"Medium") << "Escape takes nothing";

    m_received.clear();
    // Past the double-click time, so that the next click is one of its own.
    WindowTest::PumpFor(::GetDoubleClickTime() + 100);
    ASSERT_TRUE(open());
    m_list->GetComboList()->GetListBox().SetCurSel(2);
    ::SendMessageW(m_list->m_hWnd, WM_XCOMBOLIST_VK_RETURN, 0, 0);
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return m_list->GetComboList() == nullptr; }));
    EXPECT_EQ(m_list->GetCellText(0, LCITEM_PROFILEEXE), L"Fast");
    const std::vector<Received> updated = { { WM_GUI_LIST_CELL_UPDATED, 0, m_list->GetSubItem(LCITEM_PROFILEEXE), L"Fast", -1 } };
    std::vector<Received> cellUpdates;
    for (const Received& r : m_received)
        if (r.message == WM_GUI_LIST_CELL_UPDATED)
            cellUpdates.push_back(r);
    EXPECT_EQ(cellUpdates, updated) << "the owner hears of the timer's change";
}
