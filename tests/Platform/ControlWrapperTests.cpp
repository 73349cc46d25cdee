#include "CDC.h"
#include "CFileDialog.h"
#include "CFont.h"
#include "CHeaderCtrl.h"
#include "CListBox.h"
#include "CListCtrl.h"
#include "CScrollBar.h"
#include "CBitmap.h"
#include "CSelectObject.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace
{
class CFrame : public CWnd
{
public:
    std::vector<UINT> m_notifyCodes;

    bool CreateFrame()
    {
        if (!CreateEx(0, nullptr, L"Wrapper frame", WS_POPUP, CRect(40, 40, 440, 340), nullptr, nullptr))
            return false;
        ShowWindow(SW_SHOWNOACTIVATE);
        UpdateWindow();
        return true;
    }

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_NOTIFY)
            m_notifyCodes.push_back(reinterpret_cast<const NMHDR*>(lParam)->code);
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
};

// Counts the subclassing hook's calls and the notifications reflected to it.
class CProbeList : public CListCtrl
{
public:
    int m_preSubclassCalls = 0;
    bool m_boundAtPreSubclass = false;
    std::vector<UINT> m_reflected;

protected:
    void PreSubclassWindow() override
    {
        ++m_preSubclassCalls;
        m_boundAtPreSubclass = m_hWnd != nullptr && FromHandle(m_hWnd) == this;
    }
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message != WM_NOTIFY)
            return CListCtrl::OnChildNotify(message, wParam, lParam, result);
        const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
        if (code != NM_CLICK && code != LVN_COLUMNCLICK)
            return false;
        m_reflected.push_back(code);
        result = 0;
        return true;
    }
};

bool Contains(const std::vector<UINT>& codes, UINT code)
{
    for (UINT c : codes)
        if (c == code)
            return true;
    return false;
}
}

TEST(CWndSubclassHook, PreSubclassWindowRunsOnceTheObjectIsBound)
{
    CFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    CProbeList created;
    ASSERT_TRUE(created.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 0, 100, 100), &frame, 1));
    EXPECT_EQ(created.m_preSubclassCalls, 1);
    EXPECT_TRUE(created.m_boundAtPreSubclass);

    HWND existing = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 50, 50, frame.m_hWnd, nullptr,
        ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(existing, nullptr);
    CProbeList subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(existing));
    EXPECT_EQ(subclassed.m_preSubclassCalls, 1);
    EXPECT_TRUE(subclassed.m_boundAtPreSubclass);
    CProbeList attached;
    subclassed.UnsubclassWindow();
    ASSERT_TRUE(attached.Attach(existing));
    EXPECT_EQ(attached.m_preSubclassCalls, 0) << "attaching routes nothing";
    attached.Detach();
    ::DestroyWindow(existing);
}

TEST(CListCtrlReflection, ClickAndColumnClickReachTheListItself)
{
    CFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    CProbeList list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, CRect(10, 10, 390, 290), &frame, 2));
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    ASSERT_EQ(list.InsertColumn(0, L"First", 120), 0);
    ASSERT_EQ(list.InsertColumn(1, L"Second", 120, LVCFMT_RIGHT, 1), 1);
    ASSERT_EQ(list.InsertItem(0, L"Row", 7), 0);
    ASSERT_TRUE(WindowTest::BringToForeground(frame.m_hWnd));

    CHeaderCtrl header;
    ASSERT_TRUE(header.Attach(list.GetHeaderCtrl()));
    EXPECT_EQ(header.GetItemCount(), 2);
    CRect second;
    ASSERT_TRUE(header.GetItemRect(1, &second));
    EXPECT_EQ(header.HitTest(CPoint(second.left + 10, second.top + 5)), 1);
    EXPECT_EQ(header.HitTest(CPoint(second.right + 50, second.top + 5)), -1);
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT;
    ASSERT_TRUE(list.GetColumn(1, &column));
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);

    ASSERT_TRUE(WindowTest::ClickAt(header.m_hWnd, CPoint(second.left + 20, (second.top + second.bottom) / 2)));
    EXPECT_TRUE(WindowTest::PumpUntil([&] { return Contains(list.m_reflected, LVN_COLUMNCLICK); }));
    CRect row;
    ASSERT_TRUE(list.GetItemRect(0, &row, LVIR_BOUNDS));
    ASSERT_TRUE(WindowTest::ClickAt(list.m_hWnd, CPoint(row.left + 20, (row.top + row.bottom) / 2)));
    EXPECT_TRUE(WindowTest::PumpUntil([&] { return Contains(list.m_reflected, NM_CLICK); }));
    EXPECT_FALSE(Contains(frame.m_notifyCodes, NM_CLICK)) << "a handled reflection stops at the list";
    EXPECT_FALSE(Contains(frame.m_notifyCodes, LVN_COLUMNCLICK));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 0);
    ASSERT_TRUE(list.SetItemData(0, 42));
    EXPECT_EQ(list.GetItemData(0), 42);
    header.Detach();
}

TEST(ControlWrappers, ListBoxFindsPrefixesAndScrollBarKeepsItsPosition)
{
    CFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    CListBox box;
    ASSERT_TRUE(box.Create(WS_VISIBLE | LBS_NOTIFY, CRect(10, 10, 150, 110), &frame, 3));
    for (const wchar_t* text : { L"Fast", L"medium", L"Slow", L"Faster" })
        box.AddString(text);
    EXPECT_EQ(box.GetCount(), 4);
    EXPECT_EQ(box.GetCurSel(), LB_ERR);
    EXPECT_EQ(box.FindString(0, L"F"), 3) << "the first after the start";
    EXPECT_EQ(box.FindString(3, L"f"), 0) << "the search wraps round, ignoring case";
    EXPECT_EQ(box.FindString(0, L"Q"), LB_ERR);
    box.SetCurSel(2);
    EXPECT_EQ(box.GetText(box.GetCurSel()), L"Slow");
    EXPECT_EQ(box.GetText(9), L"");
    EXPECT_GT(box.GetItemHeight(0), 0);

    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_VISIBLE | SBS_VERT, CRect(150, 10, 161, 110), &frame, 4));
    SCROLLINFO info = {};
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = 20;
    info.nPage = 5;
    info.nPos = 3;
    bar.SetScrollInfo(&info);
    EXPECT_EQ(bar.GetScrollPos(), 3);
    bar.SetScrollPos(30);
    EXPECT_EQ(bar.GetScrollPos(), 16) << "kept inside the range";
}

TEST(DeviceContexts, ThreeDFramesAndEdgesAndABoldFont)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateDIBSection32(20, 10));
    CSelectObject select(dc, bitmap);
    dc.FillSolidRect(CRect(0, 0, 20, 10), RGB(0, 0, 0));
    dc.Draw3dRect(CRect(0, 0, 20, 10), RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(::GetPixel(dc, 0, 8), RGB(255, 0, 0));
    EXPECT_EQ(::GetPixel(dc, 19, 9), RGB(0, 0, 255));
    EXPECT_EQ(::GetPixel(dc, 19, 0), RGB(0, 0, 255));
    EXPECT_EQ(::GetPixel(dc, 5, 5), RGB(0, 0, 0));

    dc.FillSolidRect(CRect(0, 0, 20, 10), RGB(1, 2, 3));
    CRect edge(0, 0, 20, 10);
    ASSERT_TRUE(dc.DrawEdge(&edge, EDGE_RAISED, BF_RECT | BF_ADJUST));
    EXPECT_EQ(edge, CRect(2, 2, 18, 8)) << "BF_ADJUST leaves the inside";
    EXPECT_NE(::GetPixel(dc, 0, 0), RGB(1, 2, 3));
    EXPECT_FALSE(CDCHandle().DrawEdge(&edge, EDGE_RAISED, BF_RECT));

    LOGFONTW logFont = {};
    logFont.lfHeight = -12;
    logFont.lfWeight = FW_THIN;
    lstrcpynW(logFont.lfFaceName, L"Arial", LF_FACESIZE);
    CFont bold;
    ASSERT_TRUE(bold.CreateBoldFontIndirect(&logFont));
    LOGFONTW read = {};
    ASSERT_TRUE(bold.GetLogFont(&read));
    EXPECT_EQ(read.lfWeight, FW_BOLD);
    EXPECT_EQ(read.lfHeight, -12);
    EXPECT_EQ(CString(read.lfFaceName), L"Arial");
    EXPECT_FALSE(CFont().CreateBoldFontIndirect(nullptr));
}

namespace
{
BOOL CALLBACK FindFileDialog(HWND wnd, LPARAM lParam)
{
    wchar_t name[32] = {};
    if (::IsWindowVisible(wnd) && ::GetClassNameW(wnd, name, 32) && lstrcmpW(name, L"#32770") == 0)
    {
        *reinterpret_cast<HWND*>(lParam) = wnd;
        return FALSE;
    }
    return TRUE;
}

// The file name field of the system's open dialog (a combo box, or an edit in older
// dialogs).
HWND FileNameField(HWND dialog)
{
    for (int id : { 0x47C, 0x480 })
        if (HWND field = ::GetDlgItem(dialog, id))
            return field;
    return nullptr;
}
}

TEST(CFileDialogRun, TheSystemDialogGivesThePathTypedIntoIt)
{
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
    const CString folder = CString(temp) + L"VelmoraDialogTest";
    ::CreateDirectoryW(folder, nullptr);
    const CString file = folder + L"\\tool.exe";
    HANDLE created = ::CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    ::CloseHandle(created);

    const DWORD thread = ::GetCurrentThreadId();
    std::atomic<bool> typed(false);
    std::thread script([&] {
        HWND dialog = nullptr;
        for (int attempt = 0; attempt < 300 && !dialog; ++attempt)
        {
            ::EnumThreadWindows(thread, &FindFileDialog, reinterpret_cast<LPARAM>(&dialog));
            ::Sleep(50);
        }
        if (!dialog)
            return;
        ::Sleep(300);
        HWND field = FileNameField(dialog);
        if (field && ::SetWindowTextW(field, L"tool.exe"))
            typed = true;
        ::PostMessageW(dialog, WM_COMMAND, typed ? IDOK : IDCANCEL, 0);
    });
    CFileDialog dialog(true, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, L"*.exe|*.exe||");
    dialog.SetInitialFolder(folder);
    const INT_PTR result = dialog.DoModal();
    script.join();
    ::DeleteFileW(file);
    ::RemoveDirectoryW(folder);
    ASSERT_TRUE(typed) << "the dialog and its file name field were found";
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.GetFileName(), L"tool.exe");
    EXPECT_EQ(dialog.GetPathName().CompareNoCase(file), 0) << "the initial folder and the typed name";
}
