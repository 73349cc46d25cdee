// Classes in this file:
//   CButton - a push button, check box or owner-drawn button control.
#pragma once

#include "CWnd.h"

class CButton : public CWnd
{
public:
    // Operations
    bool Create(const wchar_t* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create(L"Button", caption, style, rect, parent, id);
    }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(bool pushed) { SendMessage(BM_SETSTATE, pushed ? TRUE : FALSE); }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
};
