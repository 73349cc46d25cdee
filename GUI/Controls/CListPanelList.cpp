#include "CListPanelList.h"

#include "CListPanel.h"
#include "CMemDC2.h"
#include "CPen.h"
#include "CSelectObject.h"
#include "CVScrollBar.h"
#include "GUIMessages.h"
#include "ListScrolling.h"

#include <windowsx.h>

#include <algorithm>

namespace
{
constexpr UINT_PTR kClickTimer = 1;
constexpr UINT kClickDelayMs = 10;
constexpr UINT kScrollBarId = 0xFFFF;
constexpr int kMostSubLevelRows = 5;
constexpr int kArrowLength = 7;

void DrawHorizontalLine(HDC dc, int x, int y, int length)
{
    ::MoveToEx(dc, x, y, nullptr);
    ::LineTo(dc, x + length, y);
}

void DrawVerticalLine(HDC dc, int x, int y, int length)
{
    ::MoveToEx(dc, x, y, nullptr);
    ::LineTo(dc, x, y + length);
}
}

CListPanelList::CListPanelList(const CListPanelLevel& level, std::vector<CString>* result)
    : m_pLevel(&level), m_pResult(result)
{
}

CListPanelList::~CListPanelList()
{
    DestroyWindow();
}

bool CListPanelList::IsScrollBarShown() const
{
    return m_pScrollBar && m_pScrollBar->IsWindowVisible();
}

int CListPanelList::GetRowEntryIndex(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return -1;
    const LPARAM index = GetItemData(row);
    return index >= 0 && index < static_cast<LPARAM>(m_pLevel->m_entries.size()) ? static_cast<int>(index) : -1;
}

const CListEntry* CListPanelList::GetRowEntry(int row) const
{
    const int index = GetRowEntryIndex(row);
    return index < 0 ? nullptr : &m_pLevel->m_entries[static_cast<size_t>(index)];
}

bool CListPanelList::IsInScrollStrip(int x, int y) const
{
    if (!IsScrollBarShown())
        return false;
    CRect client;
    GetClientRect(&client);
    return x >= client.right && x < client.right + m_scrollWidth && y >= client.top && y < client.bottom;
}

bool CListPanelList::Create(const RECT& rect, CWnd* panel)
{
    const CListPanelSettings& settings = m_pLevel->m_settings;
    const CRect area(rect);
    m_scrollBarNeeded = KeepsScrollBar() || NeedsScrollBar(area.Height(), static_cast<int>(m_pLevel->m_entries.size()));
    m_scrollWidth = settings.m_scrollWidth;
    if (m_scrollWidth > 0)
        CreateScrollBar(area, panel);
    if (!m_scrollBarNeeded || !m_pScrollBar)
        m_scrollWidth = 0;
    DWORD style = WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER;
    if (m_scrollWidth == 0)
        style |= LVS_NOSCROLL;
    const CRect listRect(area.left, area.top, area.right - m_scrollWidth, area.bottom);
    if (!CListCtrl::Create(style, listRect, panel, 0))
        return false;
    InitFlatScrollBars();
    if (m_pScrollBar)
        m_pScrollBar->SetBitmaps(settings.m_scroll);
    const COLORREF back = GetListColour(settings.m_colours, LISTCLR_BACK);
    SetBkColor(back);
    SetTextBkColor(back);
    if (settings.m_font)
        SetFont(settings.m_font, false);
    CRect client;
    GetClientRect(&client);
    InsertColumn(0, L"", client.Width() - 2 * ColumnInset());
    FillRows();
    ForceRowHeight();
    if (m_pScrollBar)
    {
        m_pScrollBar->ShowWindow(m_scrollBarNeeded ? SW_SHOWNA : SW_HIDE);
        UpdateThumb();
    }
    if (m_toolTip.Create(this))
    {
        m_toolTip.AddTool(m_hWnd, 1, client, L"");
        m_toolTip.Activate(false);
    }
    if (CapturesAtStart())
        SetCapture();
    return true;
}

void CListPanelList::SetLevel(const CListPanelLevel& level)
{
    m_pLevel = &level;
    m_hotRow = -1;
    m_tipRow = -2;
    DeleteAllItems();
    FillRows();
    UpdateThumb();
    Invalidate(false);
}

void CListPanelList::RowColours(int row, const CListEntry& entry, COLORREF& text, COLORREF& back) const
{
    const ListColourSet& colours = m_pLevel->m_settings.m_colours;
    text = GetListColourOrWhite(colours, LISTCLR_FONT);
    back = GetListColour(colours, LISTCLR_BACK);
    if (entry.m_disabled)
    {
        text = GetListColour(colours, LISTCLR_FONT_DISABLED);
        back = GetListColour(colours, LISTCLR_BACK_DISABLED);
    }
    else if (row == m_hotRow || (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED))
    {
        text = GetListColourOrWhite(colours, LISTCLR_FONT_HI);
        back = GetListColour(colours, LISTCLR_BACK_HI);
    }
}

void CListPanelList::ForceRowHeight()
{
    m_rowHeight = ::ForceRowHeight(*this, m_rowHeightImages, kRowHeight, 1);
}

void CListPanelList::CreateScrollBar(const RECT& rect, CWnd* panel)
{
    const CListPanelSettings& settings = m_pLevel->m_settings;
    auto bar = std::make_unique<CVScrollBar>();
    const CRect barRect(rect.right - settings.m_scrollWidth, rect.top, rect.right, rect.bottom);
    // The bar shows the list's scroll information: its owner is set once the list exists.
    if (!bar->Create(barRect, panel, nullptr, kScrollBarId))
        return;
    bar->ShowWindow(SW_HIDE);
    bar->SetColours(GetListColour(settings.m_colours, LISTCLR_BACK), GetListColourOrWhite(settings.m_colours, LISTCLR_BORDER));
    m_pScrollBar = std::move(bar);
}

void CListPanelList::FillRows()
{
    std::vector<int> order(m_pLevel->m_entries.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    if (m_pLevel->m_settings.m_sorted)
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return m_pLevel->m_entries[static_cast<size_t>(a)].m_text.CompareNoCase(m_pLevel->m_entries[static_cast<size_t>(b)].m_text) < 0;
        });
    for (int index : order)
    {
        const CListEntry& entry = m_pLevel->m_entries[static_cast<size_t>(index)];
        const CString text = entry.m_displayText.IsEmpty() ? TranslateText(entry.m_text) : entry.m_displayText;
        InsertItem(GetItemCount(), text, index);
    }
    if (m_pScrollBar)
        m_pScrollBar->SetOwner(m_hWnd);
}

bool CListPanelList::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message)
    {
    case WM_MOUSEMOVE: // void OnMouseMove(POINT point, ...)
        OnMouseMove(point, message, wParam, lParam);
        return true;
    case WM_LBUTTONDOWN: // void OnLButtonDown(POINT point)
    case WM_LBUTTONDBLCLK:
        OnLButtonDown(point);
        return true;
    case WM_LBUTTONUP: // the click happened on the way down
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return true;
    case WM_RBUTTONDOWN: // closes the panel without a choice
        SetHotRow(-1);
        m_secondIndex = -1;
        SetTimer(kClickTimer, kClickDelayMs);
        return true;
    case WM_TIMER: // void OnTimer(UINT_PTR id)
        if (wParam != kClickTimer)
            break;
        OnTimer(wParam);
        return true;
    case WM_KILLFOCUS: // void OnKillFocus()
        OnKillFocus();
        break;
    case WM_MOUSEWHEEL: // void OnMouseWheel(short delta)
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return true;
    case WM_VSCROLL: // void OnVScroll(WPARAM wParam)
        OnVScroll(wParam);
        return true;
    case WM_KEYDOWN: // the thumb follows keyboard scrolling; Right opens nothing
    case WM_KEYUP:
        if (wParam == VK_RIGHT)
            return true;
        result = DefWindowProc(message, wParam, lParam);
        UpdateThumb();
        return true;
    case WM_NCCALCSIZE: // the list never shows its own scroll bars
        ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0);
        break;
    default:
        break;
    }
    return CListCtrl::OnWndMsg(message, wParam, lParam, result);
}

bool CListPanelList::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_NOTIFY)
        return CListCtrl::OnChildNotify(message, wParam, lParam, result);
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code != NM_CUSTOMDRAW)
        return false;
    result = OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
    return true;
}

void CListPanelList::OnMouseMove(POINT point, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_clicked)
        return;
    if (IsInScrollStrip(point.x, point.y))
    {
        m_pScrollBar->SetCapture();
        return;
    }
    if (::GetCapture() != m_hWnd)
        SetCapture();
    CRect client;
    GetClientRect(&client);
    const int row = client.PtInRect(point) ? HitTest(point) : -1;
    const CListEntry* entry = GetRowEntry(row);
    if (!entry || !entry->m_disabled)
        SetHotRow(entry ? row : -1);
    TrackTip(row, message, wParam, lParam);
}

void CListPanelList::TrackTip(int row, UINT message, WPARAM wParam, LPARAM lParam)
{
    UpdateTip(row);
    MSG relayed = { m_hWnd, message, wParam, lParam, 0, { 0, 0 } };
    m_toolTip.RelayEvent(&relayed);
}

void CListPanelList::SetHotRow(int row)
{
    if (row == m_hotRow)
        return;
    m_hotRow = row;
    Invalidate(false);
}

void CListPanelList::UpdateTip(int row)
{
    if (row == m_tipRow || !m_toolTip.IsWindow())
        return;
    m_tipRow = row;
    const CListEntry* entry = GetRowEntry(row);
    CString tip;
    if (entry && !entry->m_disabled && !entry->m_tipText.IsEmpty())
        tip = TranslateText(entry->m_tipText);
    else if (!m_pLevel->m_settings.m_defaultTipText.IsEmpty())
        tip = TranslateText(m_pLevel->m_settings.m_defaultTipText);
    if (tip.IsEmpty())
    {
        m_toolTip.Activate(false);
        return;
    }
    m_toolTip.UpdateTipText(m_hWnd, 1, tip);
    m_toolTip.Activate(true);
}

void CListPanelList::OnLButtonDown(POINT point)
{
    if (m_clicked || IsInScrollStrip(point.x, point.y))
        return;
    if (const CListEntry* entry = GetRowEntry(m_hotRow))
    {
        if (m_pResult)
            m_pResult->push_back(entry->m_text);
        const CListPanelLevel* subLevel = m_pLevel->GetSubLevel(GetRowEntryIndex(m_hotRow));
        if (subLevel && !subLevel->m_entries.empty())
        {
            // The second level took the rest of the click: the panel ends at once.
            OpenSubLevel(m_hotRow, *subLevel);
            FinishClick();
            return;
        }
    }
    m_clicked = true;
    SetTimer(kClickTimer, kClickDelayMs);
}

void CListPanelList::OpenSubLevel(int row, const CListPanelLevel& subLevel)
{
    const CListPanelSettings& settings = subLevel.m_settings;
    const int count = static_cast<int>(subLevel.m_entries.size());
    int height = settings.m_scrollWidth > 0 ? m_rowHeight * std::min(count, kMostSubLevelRows)
                                            : std::max(settings.m_defaultHeight, m_rowHeight * count);
    height += 2 * settings.m_borderWidth;
    CRect rowRect;
    GetItemRect(row, &rowRect, LVIR_BOUNDS);
    CRect client;
    GetClientRect(&client);
    POINT corner = { client.right, rowRect.top };
    ClientToScreen(&corner);
    const CRect screen(corner.x, corner.y, corner.x + settings.m_width, corner.y + height);
    ::ReleaseCapture();
    if (CListPanel::Run(GetParent(), subLevel, m_pResult, screen) != CListPanel::kChosen)
        m_hotRow = -1;
}

void CListPanelList::OnTimer(UINT_PTR id)
{
    KillTimer(id);
    FinishClick();
}

void CListPanelList::FinishClick()
{
    m_clicked = false;
    // Sent, not posted: the panel only ends its modal run, which then stops at once; a
    // message posted after a nested run has been seen to wait in the queue.
    HWND panel = GetParentHandle();
    if (m_hotRow < 0)
        ::SendMessageW(panel, WM_GUI_LISTPANEL_CLOSE, 0, -1);
    else
        ::SendMessageW(panel, WM_GUI_LISTPANEL_SELECT, static_cast<WPARAM>(m_secondIndex), static_cast<LPARAM>(MapIndexToID(m_hotRow)));
}

void CListPanelList::OnKillFocus()
{
    // The hot row's second-level panel has the focus while it is open.
    if (m_pLevel->GetSubLevel(GetRowEntryIndex(m_hotRow)))
        return;
    m_hotRow = -1;
    ::SendMessageW(GetParentHandle(), WM_GUI_LISTPANEL_CLOSE, 0, -1);
}

void CListPanelList::OnMouseWheel(short delta)
{
    if (!IsScrollBarShown())
        return;
    UpdateThumb();
    PostWheelLines(*this, delta);
}

void CListPanelList::OnVScroll(WPARAM wParam)
{
    if (!ScrollByThumb(*this, wParam, m_rowHeight))
        DefWindowProc(WM_VSCROLL, wParam, 0);
    UpdateThumb();
}

void CListPanelList::UpdateThumb()
{
    if (m_pScrollBar)
        m_pScrollBar->UpdateThumb();
}

LRESULT CListPanelList::OnCustomDraw(NMLVCUSTOMDRAW& draw)
{
    switch (draw.nmcd.dwDrawStage)
    {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        DrawRow(draw.nmcd.hdc, static_cast<int>(draw.nmcd.dwItemSpec));
        return CDRF_SKIPDEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}

void CListPanelList::DrawRow(HDC target, int row)
{
    const CListEntry* entry = GetRowEntry(row);
    CRect rect;
    if (!entry || !GetItemRect(row, &rect, LVIR_BOUNDS))
        return;
    CRect client;
    GetClientRect(&client);
    rect.left += ColumnInset();
    rect.right = client.right - ColumnInset();
    const ListColourSet& colours = m_pLevel->m_settings.m_colours;
    COLORREF text = 0;
    COLORREF back = 0;
    RowColours(row, *entry, text, back);
    ::SetBkColor(target, back);
    CMemDC2 dc(target, &rect);
    dc.FillSolidRect(rect, back);
    const int height = rect.Height();
    const bool hasSubLevel = m_pLevel->GetSubLevel(GetRowEntryIndex(row)) != nullptr;
    if (!entry->m_disabled && (hasSubLevel || entry->m_more))
    {
        CPen pen;
        if (pen.CreatePen(PS_SOLID, 1, GetListColourOrWhite(colours, LISTCLR_DRAW)))
        {
            CSelectObject selectPen(dc, pen);
            if (hasSubLevel)
            {
                const int x0 = rect.right - height + (height - 4) / 2;
                const int y0 = rect.top + (height - kArrowLength) / 2;
                for (int i = 0; i < 4; ++i)
                    DrawVerticalLine(dc, x0 + i, y0 + i, kArrowLength - 2 * i);
            }
            else
            {
                dc.SetBkMode(TRANSPARENT);
                dc.SetTextColor(GetListColourOrWhite(colours, LISTCLR_DRAW));
                CRect more(rect.right - 2 * height, rect.top, rect.right, rect.bottom);
                dc.DrawText(L". . .", &more, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
            }
        }
    }
    CRect textRect = rect;
    if (entry->m_separator)
    {
        CPen pen;
        if (pen.CreatePen(PS_SOLID, 1, GetListColourOrWhite(colours, LISTCLR_BORDER)))
        {
            CSelectObject selectPen(dc, pen);
            DrawHorizontalLine(dc, rect.left, rect.bottom - 1, rect.Width());
        }
        textRect.bottom -= 1;
    }
    textRect.left += m_pLevel->m_settings.m_leftMargin;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(text);
    CSelectObject selectFont(dc, m_pLevel->m_settings.m_font ? m_pLevel->m_settings.m_font : GetFont());
    const CString shown = entry->m_displayText.IsEmpty() ? TranslateText(entry->m_text) : entry->m_displayText;
    dc.DrawText(shown, &textRect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}
