#include "CXListCtrl.h"

#include "BitmapHelpers.h"
#include "CBmpInfo.h"
#include "CListPanelItem.h"
#include "CMemDC2.h"
#include "CPen.h"
#include "CSelectObject.h"
#include "CSystemFileChooser.h"
#include "CVScrollBar.h"
#include "CXComboList.h"
#include "CXListCellRecord.h"
#include "GUIMessages.h"
#include "ListDrawing.h"
#include "ListScrolling.h"

#include <windowsx.h>

#include <algorithm>

namespace
{
constexpr UINT_PTR kComboTimer = 1;
constexpr UINT_PTR kComboCloseTimer = 2;
constexpr UINT_PTR kComboTakeAndCloseTimer = 3;
constexpr UINT_PTR kComboTakeTimer = 4;
constexpr UINT kComboTimerMs = 100;
constexpr UINT kComboMessageDelayMs = 50;
constexpr UINT kScrollBarId = 0xFFFF;
constexpr int kTextInset = 8;

const wchar_t kAssignApplication[] = L"$AssignApplication";
const wchar_t kUnassignApplication[] = L"$UnassignApplication";
const wchar_t kApplicationFilter[] = L"*.exe|*.exe||";

CString FileNameOf(const CString& path)
{
    const int slash = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
    return path.Mid(slash + 1);
}

void DrawArrow(HDC dc, int centreX, int top, COLORREF colour)
{
    // Three lines of 5, 3 and 1 pixels.
    CDCHandle target(dc);
    for (int line = 0; line < 3; ++line)
        target.FillSolidRect(CRect(centreX - 2 + line, top + line, centreX + 3 - line, top + line + 1), colour);
}
}

CXListCtrl::CXListCtrl() : m_pFileChooser(&CSystemFileChooser::Get())
{
}

CXListCtrl::~CXListCtrl()
{
    DestroyWindow();
}

int CXListCtrl::GetColumnId(int subItem) const
{
    for (const auto& column : m_columns)
        if (column.second.m_subItem == subItem && subItem >= 0)
            return column.first;
    return -1;
}

int CXListCtrl::GetSubItem(int columnId) const
{
    const CXListColumn* column = FindColumn(columnId);
    return column ? column->m_subItem : -1;
}

const CXListColumn* CXListCtrl::FindColumn(int columnId) const
{
    const auto found = m_columns.find(columnId);
    return found == m_columns.end() ? nullptr : &found->second;
}

CXListRow* CXListCtrl::RowRecord(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return nullptr;
    const LPARAM data = GetItemData(row);
    for (const auto& record : m_rows)
        if (reinterpret_cast<LPARAM>(record.get()) == data)
            return record.get();
    return nullptr;
}

CXListCell* CXListCtrl::Cell(int row, int subItem) const
{
    CXListRow* record = RowRecord(row);
    if (!record || subItem < 0 || subItem >= static_cast<int>(record->size()))
        return nullptr;
    return &(*record)[static_cast<size_t>(subItem)];
}

CXListCell* CXListCtrl::GetCell(int rowKey, int columnId)
{
    return Cell(FindRowByKey(rowKey), GetSubItem(columnId));
}

int CXListCtrl::FindRowByKey(int rowKey) const
{
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row)
    {
        const CXListRow* record = RowRecord(row);
        if (record && record->front().m_rowKey == rowKey)
            return row;
    }
    return -1;
}

int CXListCtrl::SelectedRow() const
{
    return GetNextItem(-1, LVNI_SELECTED);
}

int CXListCtrl::GetSelectedRowKey() const
{
    return GetRowKey(SelectedRow());
}

int CXListCtrl::GetRowKey(int row) const
{
    const CXListRow* record = RowRecord(row);
    return record ? record->front().m_rowKey : -1;
}

CString CXListCtrl::GetCellText(int rowKey, int columnId) const
{
    const CXListCell* cell = Cell(FindRowByKey(rowKey), GetSubItem(columnId));
    return cell ? cell->m_text : CString();
}

int CXListCtrl::GetCheckbox(int rowKey, int columnId) const
{
    const CXListCell* cell = Cell(FindRowByKey(rowKey), GetSubItem(columnId));
    return cell ? cell->m_checkState : -1;
}

bool CXListCtrl::GetCellRect(int row, int subItem, RECT* rect) const
{
    if (!rect || subItem < 0 || GetColumnId(subItem) < 0)
        return false;
    CRect bounds;
    if (!GetSubItemRect(row, subItem, &bounds, LVIR_BOUNDS))
        return false;
    // The first column's bounds are the whole row's.
    if (subItem == 0)
        bounds.right = bounds.left + GetColumnWidth(0);
    *rect = bounds;
    return true;
}

int CALLBACK CXListCtrl::CompareRowsByText(LPARAM first, LPARAM second, LPARAM subItem)
{
    const auto* a = reinterpret_cast<const CXListRow*>(first);
    const auto* b = reinterpret_cast<const CXListRow*>(second);
    if (!a || !b || subItem < 0 || subItem >= static_cast<LPARAM>(a->size()) || subItem >= static_cast<LPARAM>(b->size()))
        return 0;
    const size_t index = static_cast<size_t>(subItem);
    return (*a)[index].m_text.CompareNoCase((*b)[index].m_text);
}

bool CXListCtrl::Create(const RECT& rect, CWnd* parent, bool hasBorder, int borderWidth, bool hasHeader,
    const CVScrollValues* scroll, UINT id)
{
    if (!parent || !parent->m_hWnd)
        return false;
    m_hOwner = parent->m_hWnd;
    m_borderWidth = hasBorder ? std::max(borderWidth, 0) : 0;
    if (!m_frame.Create(rect, parent, m_borderWidth))
        return false;
    // The list lies over the frame, which must not paint over it.
    m_frame.ModifyStyle(0, WS_CLIPSIBLINGS);
    m_frame.SetColours(m_backColour, m_borderColour);
    const CRect inner = m_frame.GetInnerRect();
    const int scrollWidth = scroll ? scroll->GetBarWidth() : 0;
    DWORD style = WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL;
    if (!hasHeader)
        style |= LVS_NOCOLUMNHEADER;
    if (!CListCtrl::Create(style, CRect(inner.left, inner.top, inner.right - scrollWidth, inner.bottom), parent, id))
        return false;
    SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    InitFlatScrollBars();
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB | LVS_EX_DOUBLEBUFFER);
    SetBkColor(m_backColour);
    SetTextBkColor(m_backColour);
    SetTextColor(m_textColour);
    if (m_toolTip.Create(this) && m_headerSubclassed)
        m_header.SetToolTip(&m_toolTip);
    if (scroll && scrollWidth > 0)
    {
        CRect headerRect;
        if (hasHeader && m_header.m_hWnd)
            m_header.GetWindowRect(&headerRect);
        auto bar = std::make_unique<CVScrollBar>();
        const CRect barRect(inner.right - scrollWidth, inner.top + headerRect.Height(), inner.right, inner.bottom);
        if (bar->Create(barRect, parent, m_hWnd, kScrollBarId))
        {
            bar->SetBitmaps(*scroll);
            bar->SetColours(m_backColour, m_borderColour);
            bar->SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            m_pScrollBar = std::move(bar);
        }
    }
    return true;
}

void CXListCtrl::PreSubclassWindow()
{
    SubclassHeader();
}

void CXListCtrl::SubclassHeader()
{
    if (m_headerSubclassed)
        return;
    HWND header = GetHeaderCtrl();
    // In parentheses, past the windowsx.h macro of the same name.
    if (!header || !(m_header.SubclassWindow)(header))
        return;
    m_headerSubclassed = true;
    if (m_toolTip.IsWindow())
        m_header.SetToolTip(&m_toolTip);
}

int CXListCtrl::AddColumn(int columnId, const CXListColumn& definition, const CString& title, int width)
{
    if (columnId < 0 || definition.m_kind < 0 || m_columns.count(columnId) || GetColumnCount() >= kMaxColumns || !m_hWnd)
        return -1;
    CXListColumn column = definition;
    column.m_title = title.IsEmpty() ? title : TranslateText(title);
    column.m_subItem = GetColumnCount();
    const int index = InsertColumn(column.m_subItem, column.m_title, width, LVCFMT_LEFT, column.m_subItem);
    if (index < 0)
        return -1;
    // Some list views make their header with the first column.
    SubclassHeader();
    // Rows that exist already get the column's check box.
    for (const auto& row : m_rows)
        (*row)[static_cast<size_t>(column.m_subItem)].m_checkState = column.m_kind == XLISTCELL_CHECKBOX ? 0 : -1;
    m_header.SetItemTip(index, column.m_toolTip.IsEmpty() ? column.m_title : TranslateText(column.m_toolTip));
    m_columns[columnId] = column;
    return index;
}

int CXListCtrl::InsertRow(int index)
{
    if (index < 0 || !m_hWnd)
        return -1;
    auto record = std::make_unique<CXListRow>(static_cast<size_t>(kMaxColumns));
    for (const auto& column : m_columns)
    {
        CXListCell& cell = (*record)[static_cast<size_t>(column.second.m_subItem)];
        cell.m_checkState = column.second.m_kind == XLISTCELL_CHECKBOX ? 0 : -1;
        cell.m_combo = column.second.m_kind == XLISTCELL_COMBO;
    }
    CXListCell& first = record->front();
    first.m_rowKey = index;
    first.m_textColour = m_textColour;
    first.m_backColour = m_backColour;
    first.m_selectedTextColour = m_selectedTextColour;
    first.m_selectedBackColour = m_selectedBackColour;
    const LPARAM data = reinterpret_cast<LPARAM>(record.get());
    m_rows.push_back(std::move(record));
    const int row = InsertItem(index, L"", data);
    if (row < 0)
    {
        m_rows.pop_back();
        return -1;
    }
    if (GetItemCount() == 1)
        m_rowHeight = ForceRowHeight(*this, m_rowImages, kRowHeight, kRowHeight, ILC_COLOR4, 10, 10);
    EnsureVisible(row, false);
    UpdateThumb();
    return row;
}

void CXListCtrl::FreeRow(LPARAM data)
{
    const auto found = std::find_if(m_rows.begin(), m_rows.end(),
        [data](const std::unique_ptr<CXListRow>& record) { return reinterpret_cast<LPARAM>(record.get()) == data; });
    if (found != m_rows.end())
        m_rows.erase(found);
}

void CXListCtrl::FreeAllRows()
{
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row)
        SetItemData(row, 0);
    m_rows.clear();
}

bool CXListCtrl::SetCellText(int rowKey, int columnId, const CString& text)
{
    const int row = FindRowByKey(rowKey);
    const int subItem = GetSubItem(columnId);
    CXListCell* cell = Cell(row, subItem);
    if (!cell)
        return false;
    cell->m_text = text;
    SetItemText(row, subItem, text);
    RepaintCell(row, subItem);
    return true;
}

int CXListCtrl::SetCheckbox(int rowKey, int columnId, int state)
{
    const int row = FindRowByKey(rowKey);
    const int subItem = GetSubItem(columnId);
    CXListCell* cell = Cell(row, subItem);
    if (!cell)
        return 0;
    cell->m_checkState = state;
    RepaintCell(row, subItem);
    UpdateHeaderImage(subItem);
    return 1;
}

bool CXListCtrl::SetComboStrings(int rowKey, int columnId, const std::vector<CString>& strings, int initialSelection,
    int listHeight)
{
    const int row = FindRowByKey(rowKey);
    const int subItem = GetSubItem(columnId);
    CXListCell* cell = Cell(row, subItem);
    if (!cell)
        return false;
    cell->m_combo = true;
    cell->m_comboStrings = strings;
    cell->m_comboInitialSelection = initialSelection;
    cell->m_comboListHeight = std::max(listHeight, 1);
    if (cell->m_text.IsEmpty() && initialSelection >= 0 && initialSelection < static_cast<int>(strings.size()))
    {
        cell->m_text = strings[static_cast<size_t>(initialSelection)];
        SetItemText(row, subItem, cell->m_text);
    }
    RepaintCell(row, subItem);
    return true;
}

bool CXListCtrl::SetCellBold(int rowKey, int columnId, bool bold)
{
    const int row = FindRowByKey(rowKey);
    const int subItem = GetSubItem(columnId);
    CXListCell* cell = Cell(row, subItem);
    if (!cell)
        return false;
    cell->m_bold = bold;
    RepaintCell(row, subItem);
    return true;
}

bool CXListCtrl::SetRowEnabled(int rowKey, bool enabled)
{
    CXListRow* record = RowRecord(FindRowByKey(rowKey));
    if (!record)
        return false;
    record->front().m_enabled = enabled;
    return true;
}

void CXListCtrl::SetRowColors(int row, COLORREF text, COLORREF back, COLORREF selectedText, COLORREF selectedBack)
{
    CXListRow* record = RowRecord(row);
    if (!record)
        return;
    CXListCell& first = record->front();
    first.m_ownColours = true;
    first.m_textColour = text;
    first.m_backColour = back;
    first.m_selectedTextColour = selectedText;
    first.m_selectedBackColour = selectedBack;
    RedrawItems(row, row);
}

void CXListCtrl::SetTextColour(COLORREF colour)
{
    m_textColour = colour;
    SetTextColor(colour);
    Invalidate(false);
}

void CXListCtrl::SetSelectedTextColour(COLORREF colour)
{
    m_selectedTextColour = colour;
    Invalidate(false);
}

void CXListCtrl::SetBackColour(COLORREF colour)
{
    m_backColour = colour;
    SetBkColor(colour);
    SetTextBkColor(colour);
    ApplyFrameColours();
    Invalidate(false);
}

void CXListCtrl::SetSelectedBackColour(COLORREF colour)
{
    m_selectedBackColour = colour;
    Invalidate(false);
}

void CXListCtrl::SetBorderColour(COLORREF colour)
{
    m_borderColour = colour;
    ApplyFrameColours();
}

void CXListCtrl::ApplyFrameColours()
{
    m_frame.SetColours(m_backColour, m_borderColour);
    if (m_pScrollBar)
        m_pScrollBar->SetColours(m_backColour, m_borderColour);
}

void CXListCtrl::SetHeaderColours(COLORREF back, COLORREF text)
{
    m_header.SetColours(back, text, back, back);
}

void CXListCtrl::SetFileChooser(IFileChooser* chooser)
{
    m_pFileChooser = chooser ? chooser : &CSystemFileChooser::Get();
}

void CXListCtrl::SetBmpInfo(std::unique_ptr<CBmpInfo> record)
{
    m_pBmpInfo = std::move(record);
}

void CXListCtrl::SetListFont(HFONT font)
{
    if (!font)
        return;
    SetFont(font, true);
    LOGFONTW logFont = {};
    if (::GetObjectW(font, sizeof(logFont), &logFont) != sizeof(logFont))
        return;
    m_boldFont.CreateBoldFontIndirect(&logFont);
    if (m_comboFont.IsNull())
        m_comboFont.CreateFontIndirect(&logFont);
}

void CXListCtrl::Show(bool show)
{
    const int command = show ? SW_SHOW : SW_HIDE;
    if (!show)
        DestroyComboList();
    m_frame.ShowWindow(command);
    ShowWindow(command);
    if (m_pScrollBar)
        m_pScrollBar->ShowWindow(command);
}

LRESULT CXListCtrl::Notify(UINT message, int rowKey, int column, const void* value) const
{
    CXListCellRecord record;
    record.m_rowKey = rowKey;
    record.m_column = column;
    record.m_value = value;
    return ::SendMessageW(m_hOwner, message, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(&record));
}

void CXListCtrl::RepaintCell(int row, int subItem)
{
    CRect rect;
    if (GetCellRect(row, subItem, &rect))
        InvalidateRect(&rect, false);
}

void CXListCtrl::UpdateHeaderImage(int subItem)
{
    if (!m_header.m_hWnd)
        return;
    HDITEMW item = {};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    if (!m_header.GetItem(subItem, &item) || !(item.fmt & HDF_IMAGE) || item.iImage < 0)
        return;
    bool allChecked = true;
    for (int row = 0; row < GetItemCount() && allChecked; ++row)
    {
        const CXListCell* cell = Cell(row, subItem);
        allChecked = cell && cell->m_checkState == 1;
    }
    item.mask = HDI_IMAGE;
    item.iImage = allChecked ? 1 : 0;
    m_header.SetItem(subItem, &item);
    m_header.Invalidate(false);
}

void CXListCtrl::UpdateThumb()
{
    if (m_pScrollBar)
        m_pScrollBar->UpdateThumb();
}

void CXListCtrl::UpdateThumbIfMoved()
{
    SCROLLINFO info = {};
    info.fMask = SIF_ALL;
    if (!m_pScrollBar || !GetScrollInfo(SB_VERT, &info))
        return;
    if (CVScrollBar::ThumbTopFor(info, m_pScrollBar->GetTrackTop(), m_pScrollBar->GetTrackLength()) != m_pScrollBar->GetThumbTop())
        m_pScrollBar->UpdateThumb();
}

int CXListCtrl::ColumnAt(int row, POINT point) const
{
    for (const auto& column : m_columns)
    {
        CRect rect;
        if (!GetCellRect(row, column.second.m_subItem, &rect) || !rect.PtInRect(point))
            continue;
        const CXListCell* cell = Cell(row, column.second.m_subItem);
        if (column.second.m_kind != XLISTCELL_CHECKBOX || !cell || cell->m_checkState < 0)
            return column.second.m_subItem;
        const CPoint centre((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        const CRect hit(centre.x - kCheckHitSize / 2, centre.y - kCheckHitSize / 2, centre.x + kCheckHitSize / 2,
            centre.y + kCheckHitSize / 2);
        return hit.PtInRect(point) ? column.second.m_subItem : -1;
    }
    return -1;
}

bool CXListCtrl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (message == WM_XCOMBOLIST_VK_RETURN || message == WM_XCOMBOLIST_LBUTTONUP || message == WM_XCOMBOLIST_KEYDOWN ||
        message == WM_XCOMBOLIST_VK_ESCAPE)
    {
        OnComboMessage(message);
        return true;
    }
    switch (message)
    {
    case WM_CREATE: // the row-height images and the header once the list view made it
        result = Default();
        if (result == 0)
        {
            m_rowHeight = ForceRowHeight(*this, m_rowImages, kRowHeight, kRowHeight, ILC_COLOR4, 10, 10);
            SubclassHeader();
        }
        return true;
    case WM_LBUTTONDOWN: // void OnLButtonDown(POINT point)
        OnLButtonDown(point);
        return true;
    case WM_LBUTTONDBLCLK: // void OnDoubleClick(POINT point)
        OnDoubleClick(point);
        break;
    case WM_RBUTTONDOWN: // void OnRButtonDown(POINT point)
        OnRButtonDown(point);
        return true;
    case WM_TIMER: // void OnTimer(UINT_PTR id)
        if (wParam < kComboTimer || wParam > kComboTakeTimer)
            break;
        OnTimer(wParam);
        return true;
    case WM_KEYDOWN: // the space bar is swallowed; the thumb follows keyboard scrolling
    case WM_KEYUP:
        if (wParam == VK_SPACE)
            return true;
        result = Default();
        UpdateThumb();
        return true;
    case WM_CHAR:
        if (wParam == L' ')
            return true;
        break;
    case WM_MOUSEWHEEL: // scrolls by lines of 120 units
        if (m_pScrollBar)
            UpdateThumb();
        PostWheelLines(*this, GET_WHEEL_DELTA_WPARAM(wParam));
        return true;
    case WM_VSCROLL: // void OnVScroll(WPARAM wParam)
        OnVScroll(wParam);
        return true;
    case WM_ERASEBKGND: // bool OnEraseBackground(HDC dc)
        result = OnEraseBackground(reinterpret_cast<HDC>(wParam));
        return true;
    case WM_SETFOCUS: // focus changes get no handling of their own
    case WM_KILLFOCUS:
        result = Default();
        return true;
    case WM_NCCALCSIZE: // the list never shows its own scroll bars
        ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0);
        break;
    case WM_DESTROY:
        DestroyComboList();
        FreeAllRows();
        break;
    default:
        break;
    }
    return CListCtrl::OnWndMsg(message, wParam, lParam, result);
}

bool CXListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_NOTIFY)
        return CListCtrl::OnChildNotify(message, wParam, lParam, result);
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code)
    {
    case NM_CUSTOMDRAW: // LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw)
        result = OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        return true;
    case LVN_DELETEITEM: // the row's cells go with it
        FreeRow(reinterpret_cast<const NMLISTVIEW*>(lParam)->lParam);
        result = 0;
        return true;
    case NM_CLICK: // ends a pending combo
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        EndComboPending();
        result = 0;
        return true;
    case LVN_COLUMNCLICK: // handled and ignored
        result = 0;
        return true;
    default:
        return false;
    }
}

void CXListCtrl::OnLButtonDown(POINT point)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    const int row = HitTest(point);
    if (row < 0)
    {
        KillTimer(kComboTimer);
        Default();
        return;
    }
    const CXListRow* record = RowRecord(row);
    if (!record || !record->front().m_enabled)
        return;
    const int rowKey = record->front().m_rowKey;
    const int subItem = ColumnAt(row, point);
    const CXListCell* cell = Cell(row, subItem);
    const CXListColumn* column = FindColumn(GetColumnId(subItem));
    if (cell && column && column->m_kind == XLISTCELL_CHECKBOX && cell->m_checkState >= 0)
        OnCheckboxClick(row, subItem);
    else if (cell && cell->m_combo)
        OnComboClick(row, subItem, point);
    ::SendMessageW(m_hOwner, WM_GUI_LIST_ROW_CLICKED, static_cast<WPARAM>(rowKey), reinterpret_cast<LPARAM>(m_hWnd));
    Default();
}

void CXListCtrl::OnCheckboxClick(int row, int subItem)
{
    const int columnId = GetColumnId(subItem);
    const CXListColumn* column = FindColumn(columnId);
    CXListCell* cell = Cell(row, subItem);
    if (!column || !cell)
        return;
    if (column->m_exclusive)
    {
        if (cell->m_checkState == 1)
            return;
        cell->m_checkState = 1;
        for (int other = 0; other < GetItemCount(); ++other)
        {
            CXListCell* otherCell = Cell(other, subItem);
            if (other == row || !otherCell || otherCell->m_checkState != 1)
                continue;
            otherCell->m_checkState = 0;
            RepaintCell(other, subItem);
        }
    }
    else
    {
        cell->m_checkState = cell->m_checkState == 1 ? 0 : 1;
    }
    RepaintCell(row, subItem);
    const bool checked = cell->m_checkState == 1;
    const int rowKey = RowRecord(row)->front().m_rowKey;
    Notify(WM_GUI_LIST_CHECKBOX_CHANGED, rowKey, columnId, &checked);
    UpdateHeaderImage(subItem);
}

void CXListCtrl::OnComboClick(int row, int subItem, POINT point)
{
    DestroyComboList();
    CRect rect;
    if (!GetCellRect(row, subItem, &rect))
        return;
    CRect button(rect.right - rect.Height(), rect.top, rect.right, rect.bottom);
    if (!button.PtInRect(point))
        return;
    CXListCell* cell = Cell(row, subItem);
    cell->m_comboButtonPressed = true;
    m_comboPending = true;
    m_comboRow = RowRecord(row)->front().m_rowKey;
    m_comboSubItem = subItem;
    ClientToScreen(&button);
    m_comboButtonRect = button;
    RepaintCell(row, subItem);
    UpdateWindow();
    OpenComboList(row, subItem);
    SetTimer(kComboTimer, kComboTimerMs);
}

void CXListCtrl::OpenComboList(int row, int subItem)
{
    CXListCell* cell = Cell(row, subItem);
    CRect rect;
    if (!cell || m_pComboList || !GetCellRect(row, subItem, &rect))
        return;
    CRect screen(rect.left, rect.bottom - 1, rect.right - 1, rect.bottom - 1 + (rect.Height() - 2) * cell->m_comboListHeight);
    ClientToScreen(&screen);
    auto list = std::make_unique<CXComboList>(m_hWnd);
    if (!list->Create(screen, m_comboFont.IsNull() ? GetFont() : m_comboFont.GetHandle()))
        return;
    const CString shown = list->SetStrings(cell->m_comboStrings, cell->m_text);
    if (cell->m_text.IsEmpty() && !shown.IsEmpty())
    {
        cell->m_text = shown;
        SetItemText(row, subItem, shown);
        RepaintCell(row, subItem);
    }
    m_pComboList = std::move(list);
}

void CXListCtrl::DestroyComboList()
{
    m_pComboList.reset();
    EndComboPending();
}

void CXListCtrl::EndComboPending()
{
    m_comboPending = false;
    const int row = FindRowByKey(m_comboRow);
    CXListCell* cell = Cell(row, m_comboSubItem);
    if (!cell || !cell->m_comboButtonPressed)
        return;
    cell->m_comboButtonPressed = false;
    RepaintCell(row, m_comboSubItem);
}

void CXListCtrl::TakeComboSelection()
{
    if (!m_pComboList)
        return;
    const CString text = m_pComboList->GetSelectedText();
    const int row = FindRowByKey(m_comboRow);
    CXListCell* cell = Cell(row, m_comboSubItem);
    if (!cell || text.IsEmpty() || text == cell->m_text)
        return;
    cell->m_text = text;
    SetItemText(row, m_comboSubItem, text);
    RepaintCell(row, m_comboSubItem);
    Notify(WM_GUI_LIST_CELL_UPDATED, m_comboRow, m_comboSubItem, text.GetString());
}

void CXListCtrl::OnComboMessage(UINT message)
{
    if (message == WM_XCOMBOLIST_KEYDOWN)
    {
        SetTimer(kComboTakeTimer, kComboMessageDelayMs);
        return;
    }
    KillTimer(kComboTimer);
    // Escape closes the list without taking its selection.
    SetTimer(message == WM_XCOMBOLIST_VK_ESCAPE ? kComboCloseTimer : kComboTakeAndCloseTimer, kComboMessageDelayMs);
}

void CXListCtrl::OnTimer(UINT_PTR id)
{
    if (id != kComboTimer)
        KillTimer(id);
    switch (id)
    {
    case kComboTimer:
    {
        POINT cursor = {};
        if (m_comboPending && ::GetCursorPos(&cursor) && !m_comboButtonRect.PtInRect(cursor))
            EndComboPending();
        if (m_pComboList)
            m_pComboList->SizeAndFocus();
        else if (!m_comboPending)
            KillTimer(kComboTimer);
        break;
    }
    case kComboCloseTimer:
        DestroyComboList();
        break;
    case kComboTakeAndCloseTimer:
        TakeComboSelection();
        DestroyComboList();
        break;
    case kComboTakeTimer:
        TakeComboSelection();
        break;
    default:
        break;
    }
}

void CXListCtrl::OnRButtonDown(POINT point)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    Default();
    if (!m_pMenu)
        return;
    const int row = HitTest(point);
    const CXListRow* record = RowRecord(row);
    CRect cell;
    int subItem = -1;
    for (const auto& column : m_columns)
        if (GetCellRect(row, column.second.m_subItem, &cell) && cell.PtInRect(point))
            subItem = column.second.m_subItem;
    if (!record || subItem < 0 || !GetCellRect(row, subItem, &cell))
        return;
    const int rowKey = record->front().m_rowKey;
    Notify(WM_GUI_LIST_ROW_RCLICKED, rowKey, 0, nullptr);
    std::vector<CString> chosen;
    m_pMenu->Popup(0, this, &chosen, point.x, cell.top);
    RunMenuCommand(rowKey, chosen.empty() ? CString() : chosen.front());
}

void CXListCtrl::RunMenuCommand(int rowKey, const CString& command)
{
    if (command.CompareNoCase(kAssignApplication) == 0)
        AssignApplication(rowKey);
    else if (command.CompareNoCase(kUnassignApplication) == 0)
        UnassignApplication(rowKey);
    else
        Notify(WM_GUI_LIST_MENU_COMMAND, rowKey, 0, command.GetString());
}

void CXListCtrl::AssignApplication(int rowKey)
{
    IFileChooser::Request request;
    request.m_open = true;
    request.m_filter = kApplicationFilter;
    request.m_flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    request.m_owner = ::GetAncestor(m_hWnd, GA_ROOT);
    CString path;
    if (!m_pFileChooser->ChooseFile(request, path) || path.IsEmpty())
        return;
    SetCellText(rowKey, LCITEM_PROFILEEXE, FileNameOf(path));
    Notify(WM_GUI_LIST_CELL_TEXT_CHANGED, rowKey, LCITEM_PROFILEEXE, path.GetString());
}

void CXListCtrl::UnassignApplication(int rowKey)
{
    SetCellText(rowKey, LCITEM_PROFILEEXE, CString());
    Notify(WM_GUI_LIST_CELL_TEXT_CHANGED, rowKey, LCITEM_PROFILEEXE, L"");
    SetCheckbox(rowKey, LCITEM_AUTOSWITCH, 0);
    const bool unchecked = false;
    Notify(WM_GUI_LIST_CHECKBOX_CHANGED, rowKey, LCITEM_AUTOSWITCH, &unchecked);
}

void CXListCtrl::OnDoubleClick(POINT point)
{
    int subItem = -1;
    const int row = SubItemHitTest(point, &subItem);
    const CXListRow* record = RowRecord(row);
    if (!record)
        return;
    Notify(WM_GUI_LIST_CELL_DBLCLK, record->front().m_rowKey, subItem, nullptr);
}

void CXListCtrl::OnVScroll(WPARAM wParam)
{
    if (!ScrollByThumb(*this, wParam, m_rowHeight))
        DefWindowProc(WM_VSCROLL, wParam, 0);
    UpdateThumb();
}

bool CXListCtrl::OnEraseBackground(HDC dc)
{
    // The cells cover the rows: only the client area below the last row and right of the
    // last column is filled.
    CRect client;
    GetClientRect(&client);
    CDCHandle target(dc);
    int columnsRight = 0;
    CRect header;
    if (m_header.m_hWnd && m_header.IsWindowVisible())
        m_header.GetWindowRect(&header);
    CRect rowsArea(client.left, client.top + header.Height(), client.right, client.bottom);
    const int count = GetItemCount();
    CRect last;
    if (count > 0 && GetItemRect(count - 1, &last, LVIR_BOUNDS))
    {
        columnsRight = last.right;
        target.FillSolidRect(CRect(client.left, std::max(last.bottom, rowsArea.top), client.right, client.bottom), m_backColour);
        target.FillSolidRect(CRect(columnsRight, rowsArea.top, client.right, std::min(last.bottom, client.bottom)), m_backColour);
        return true;
    }
    target.FillSolidRect(rowsArea, m_backColour);
    return true;
}

LRESULT CXListCtrl::OnCustomDraw(NMLVCUSTOMDRAW& draw)
{
    switch (draw.nmcd.dwDrawStage)
    {
    case CDDS_PREPAINT:
        // However the rows scrolled (the owner's EnsureVisible too), the thumb follows.
        UpdateThumbIfMoved();
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        // Every cell of the row is drawn here; the list view draws nothing of it.
        DrawRow(draw.nmcd.hdc, static_cast<int>(draw.nmcd.dwItemSpec));
        return CDRF_SKIPDEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}

void CXListCtrl::CellColours(int row, bool selected, COLORREF& text, COLORREF& back) const
{
    const CXListRow* record = RowRecord(row);
    const CXListCell* first = record ? &record->front() : nullptr;
    const bool own = first && first->m_ownColours;
    if (selected)
    {
        text = own ? first->m_selectedTextColour : m_selectedTextColour;
        back = own ? first->m_selectedBackColour : m_selectedBackColour;
        return;
    }
    text = own ? first->m_textColour : m_textColour;
    back = own ? first->m_backColour : m_backColour;
}

void CXListCtrl::DrawRow(HDC target, int row)
{
    CRect bounds;
    if (!RowRecord(row) || !GetItemRect(row, &bounds, LVIR_BOUNDS))
        return;
    CRect client;
    GetClientRect(&client);
    CRect rowRect(client.left, bounds.top, client.right, bounds.bottom);
    CMemDC2 dc(target, &rowRect);
    dc.FillSolidRect(rowRect, m_backColour);
    const bool selected = row == SelectedRow();
    for (const auto& column : m_columns)
    {
        CRect cell;
        if (GetCellRect(row, column.second.m_subItem, &cell))
            DrawCell(dc, row, column.second.m_subItem, cell, selected);
    }
}

void CXListCtrl::DrawCell(HDC target, int row, int subItem, const CRect& rect, bool selected)
{
    const CXListCell* cell = Cell(row, subItem);
    const CXListColumn* column = FindColumn(GetColumnId(subItem));
    if (!cell || !column)
        return;
    CDCHandle dc(target);
    COLORREF text = 0;
    COLORREF back = 0;
    CellColours(row, selected, text, back);
    if (cell->m_combo && selected)
    {
        DrawComboCell(dc, *cell, rect, cell->m_comboButtonPressed);
        return;
    }
    if (cell->m_checkState >= 0)
    {
        DrawCheckCell(dc, *column, *cell, rect, back);
        return;
    }
    dc.FillSolidRect(rect, back);
    if (cell->m_text.IsEmpty())
        return;
    LVCOLUMNW info = {};
    info.mask = LVCF_FMT;
    GetColumn(subItem, &info);
    const int format = info.fmt & LVCFMT_JUSTIFYMASK;
    UINT align = format == LVCFMT_CENTER ? DT_CENTER : format == LVCFMT_RIGHT ? DT_RIGHT : DT_LEFT;
    CRect textRect(rect);
    textRect.left += kTextInset;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(text);
    HFONT font = cell->m_bold && !m_boldFont.IsNull() ? m_boldFont.GetHandle() : GetFont();
    CSelectObject selectFont(dc, font);
    dc.DrawText(cell->m_text, &textRect, align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CXListCtrl::DrawComboCell(HDC target, const CXListCell& cell, const CRect& rect, bool pressed)
{
    CDCHandle dc(target);
    dc.FillSolidRect(rect, m_textColour);
    CRect inside(rect);
    inside.DeflateRect(1, 1);
    dc.FillSolidRect(inside, m_backColour);
    CRect button(rect.right - rect.Height(), rect.top, rect.right, rect.bottom);
    button.DeflateRect(2, 2);
    if (pressed)
    {
        dc.FillSolidRect(button, m_backColour);
        dc.Draw3dRect(button, m_textColour, m_textColour);
    }
    else
    {
        CRect edge(button);
        dc.DrawEdge(&edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
    DrawArrow(dc, (button.left + button.right) / 2, (button.top + button.bottom) / 2 - 1, m_textColour);
    CRect textRect(rect.left + 2, rect.top, button.left, rect.bottom);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_textColour);
    CSelectObject selectFont(dc, GetFont());
    dc.DrawText(cell.m_text, &textRect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CXListCtrl::DrawCheckCell(HDC target, const CXListColumn& column, const CXListCell& cell, const CRect& rect, COLORREF back)
{
    CDCHandle dc(target);
    dc.FillSolidRect(rect, back);
    const CBitmap* picture = cell.m_checkState == 1 ? column.m_pChecked : column.m_pUnchecked;
    if (!picture || picture->IsNull())
        return;
    const CSize size = picture->GetSize();
    DrawMaskedPicture(dc, rect.left + (rect.Width() - size.cx) / 2, rect.top + (rect.Height() - size.cy) / 2, size.cx,
        size.cy, *picture, column.m_pMask);
}
