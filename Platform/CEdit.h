// Classes in this file:
//   CEdit - an edit control.
#pragma once

#include "CWnd.h"

class CEdit : public CWnd
{
public:
    // Operations
    bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create(L"Edit", L"", style, rect, parent, id);
    }
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end)); }
    // The caret goes after the last character.
    void SetSelToEnd()
    {
        const int length = ::GetWindowTextLengthW(m_hWnd);
        SetSel(length, length);
    }
    void LimitText(int maximum) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(maximum)); }
    bool SetReadOnly(bool readOnly) { return SendMessage(EM_SETREADONLY, readOnly ? TRUE : FALSE) != 0; }
};
