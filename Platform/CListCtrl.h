// Classes in this file:
//   CListCtrl - a list view control (the lists use its report view): columns, rows with
//               their data, rectangles and hit tests, scrolling and the visible page, states,
//               styles, colours and image lists. Each wrapper is one message to the control.
#pragma once

#include "CWnd.h"

#include <commctrl.h>

class CListCtrl : public CWnd
{
public:
    // Attributes
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    LPARAM GetItemData(int item) const;
    CString GetItemText(int item, int subItem) const;
    // The rectangle of a row (code LVIR_BOUNDS, LVIR_LABEL, ...); false for a row that does
    // not exist.
    bool GetItemRect(int item, RECT* rect, int code) const;
    // The rectangle of one cell of a row in report view.
    bool GetSubItemRect(int item, int subItem, RECT* rect, int code) const;
    int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
    UINT GetItemState(int item, UINT mask) const
    {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
    }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    HWND GetHeaderCtrl() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)); }
    int GetColumnWidth(int column) const { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column))); }
    // The column's fields named by column->mask; false for a column that does not exist.
    bool GetColumn(int column, LVCOLUMNW* info) const;
    // The next row after start (-1: from the top) in the state of the flags (LVNI_SELECTED,
    // ...); -1 for none.
    int GetNextItem(int start, int flags) const
    {
        return m_hWnd ? static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0))) : -1;
    }
    // The row under a point of the client area, -1 for none; flags receives LVHT_* when given.
    int HitTest(POINT point, UINT* flags = nullptr) const;
    // The row and cell under a point in report view; -1 for none.
    int SubItemHitTest(POINT point, int* subItem) const;
    UINT MapIndexToID(int item) const { return static_cast<UINT>(SendMessage(LVM_MAPINDEXTOID, static_cast<WPARAM>(item))); }
    bool GetScrollInfo(int bar, SCROLLINFO* info) const;

    // Operations
    bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int InsertColumn(int column, const wchar_t* heading, int width);
    // The same with the column's format (LVCFMT_LEFT, ...) and sub-item number.
    int InsertColumn(int column, const wchar_t* heading, int width, int format, int subItem);
    // Inserts a row with its text and data; its index, or -1.
    int InsertItem(int item, const wchar_t* text, LPARAM data);
    bool SetItemText(int item, int subItem, const wchar_t* text);
    bool SetItemState(int item, UINT state, UINT mask);
    bool SetItemData(int item, LPARAM data);
    bool DeleteItem(int item) { return SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item)) != 0; }
    // Repaints the rows first to last.
    bool RedrawItems(int first, int last)
    {
        return SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), static_cast<LPARAM>(last)) != 0;
    }
    bool DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
    // Scrolls the rows by dy pixels (report view scrolls whole rows).
    bool Scroll(int dx, int dy) { return SendMessage(LVM_SCROLL, static_cast<WPARAM>(dx), dy) != 0; }
    bool EnsureVisible(int item, bool partialOk);
    DWORD SetExtendedStyle(DWORD style)
    {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
    }
    bool SetBkColor(COLORREF colour) { return SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour)) != 0; }
    bool SetTextBkColor(COLORREF colour) { return SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colour)) != 0; }
    bool SetTextColor(COLORREF colour) { return SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colour)) != 0; }
    // Shows the image list (LVSIL_SMALL, ...); the caller keeps owning it.
    HIMAGELIST SetImageList(HIMAGELIST list, int type)
    {
        return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(type), reinterpret_cast<LPARAM>(list)));
    }
    bool SortItems(PFNLVCOMPARE compare, LPARAM data)
    {
        return SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)) != 0;
    }
    // Flat scroll bars over the list, both of them disabled: the lists draw their own bar.
    bool InitFlatScrollBars();
    // Starts editing the row's label; the edit control, or null.
    HWND EditLabel(int item) { return reinterpret_cast<HWND>(SendMessage(LVM_EDITLABELW, static_cast<WPARAM>(item))); }
    HWND GetEditControl() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETEDITCONTROL)); }
};
