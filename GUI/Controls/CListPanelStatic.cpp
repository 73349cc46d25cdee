#include "CListPanelStatic.h"

#include "CPen.h"
#include "CSelectObject.h"
#include "GUIMessages.h"

#include <windowsx.h>

CListPanelStatic::CListPanelStatic(const CListPanelLevel& level, int itemId)
    : CListPanelList(level, nullptr), m_itemId(itemId)
{
    const int border = level.m_settings.m_borderWidth > 0 ? level.m_settings.m_borderWidth : 1;
    m_borderFloor = border / 2;
    m_borderCeiling = border - border / 2;
}

void CListPanelStatic::SetSelection(int row)
{
    m_selection = row;
    Invalidate(false);
}

void CListPanelStatic::RowColours(int row, const CListEntry& entry, COLORREF& text, COLORREF& back) const
{
    const ListColourSet& colours = GetLevel().m_settings.m_colours;
    int textSlot = LISTCLR_FONT;
    int backSlot = LISTCLR_BACK;
    if (entry.m_disabled)
    {
        textSlot = LISTCLR_FONT_DISABLED;
        backSlot = LISTCLR_BACK_DISABLED;
    }
    else if (row == m_selection)
    {
        textSlot = LISTCLR_FONT_SEL;
        backSlot = LISTCLR_BACK_SEL;
    }
    else if (row == GetHotRow())
    {
        textSlot = LISTCLR_FONT_HI;
        backSlot = LISTCLR_BACK_HI;
    }
    text = GetListColour(colours, textSlot);
    back = GetListColour(colours, backSlot);
}

bool CListPanelStatic::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_MOUSEMOVE: // void OnMouseMove(POINT point)
    {
        const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        OnMouseMove(point);
        TrackTip(HitTest(point), message, wParam, lParam);
    }
        return true;
    case WM_LBUTTONDOWN: // void OnLButtonDown(POINT point)
    case WM_LBUTTONDBLCLK:
        OnLButtonDown(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return true;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_hWnd)
            SetHotRow(-1);
        return true;
    case WM_LBUTTONUP: // the inline list is neither closed nor chosen from
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_KILLFOCUS:
        return true;
    default:
        break;
    }
    return CListPanelList::OnWndMsg(message, wParam, lParam, result);
}

void CListPanelStatic::OnMouseMove(POINT point)
{
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point))
    {
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        SetHotRow(-1);
        return;
    }
    if (::GetCapture() != m_hWnd)
        SetCapture();
    const int row = HitTest(point);
    const CListEntry* entry = GetRowEntry(row);
    if (!entry || !entry->m_disabled)
        SetHotRow(entry ? row : -1);
}

void CListPanelStatic::OnLButtonDown(POINT point)
{
    // The row under the click counts: the hot row stays on an enabled row when the pointer
    // moves onto a disabled one.
    const int row = HitTest(point);
    const CListEntry* entry = GetRowEntry(row);
    if (!entry || entry->m_disabled || row != GetHotRow())
        return;
    ::PostMessageW(GetParentHandle(), WM_GUI_LISTPANELSTATIC_CLICK, static_cast<WPARAM>(MapIndexToID(row)),
        static_cast<LPARAM>(m_itemId));
}

bool CListPanelStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == NM_CUSTOMDRAW)
    {
        auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
            DrawFrame(draw.nmcd.hdc);
        result = OnCustomDraw(draw);
        return true;
    }
    return CListPanelList::OnChildNotify(message, wParam, lParam, result);
}

void CListPanelStatic::DrawFrame(HDC dc)
{
    CRect client;
    GetClientRect(&client);
    CPen pen;
    if (!pen.CreatePen(PS_SOLID, m_borderFloor + m_borderCeiling, GetListColourOrWhite(GetLevel().m_settings.m_colours, LISTCLR_BORDER)))
        return;
    CSelectObject selectPen(dc, pen);
    CSelectObject selectBrush(dc, ::GetStockObject(NULL_BRUSH));
    const int f = m_borderFloor;
    const int c = m_borderCeiling;
    ::Rectangle(dc, client.left + f, client.top + f, client.right - c + 1, client.bottom - c + 1);
}
