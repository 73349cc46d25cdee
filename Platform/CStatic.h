// Classes in this file:
//   CStatic - a static text, bitmap or owner-drawn control.
#pragma once

#include "CWnd.h"

class CStatic : public CWnd
{
public:
    // Operations
    bool Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF)
    {
        return CWnd::Create(L"Static", text, style, rect, parent, id);
    }
};
