// Classes in this file:
//   CListBox - a list box: its strings, the selection, the top row and the row height. Each
//              wrapper is one message to the control.
#pragma once

#include "CWnd.h"

class CListBox : public CWnd
{
public:
    // Attributes
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    // The selected row; LB_ERR (-1) for none.
    int GetCurSel() const { return m_hWnd ? static_cast<int>(SendMessage(LB_GETCURSEL)) : LB_ERR; }
    CString GetText(int index) const;
    int GetItemHeight(int index) const { return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(index))); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
    // The first row after start whose text begins with the prefix, ignoring case (the search
    // wraps round to the top); LB_ERR for none.
    int FindString(int start, const wchar_t* prefix) const;

    // Operations
    bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create(L"ListBox", L"", style, rect, parent, id);
    }
    // The new row's index; LB_ERR or LB_ERRSPACE on failure.
    int AddString(const wchar_t* text)
    {
        return m_hWnd ? static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : L""))) : LB_ERR;
    }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index))); }
    int SetTopIndex(int index) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index))); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
};
