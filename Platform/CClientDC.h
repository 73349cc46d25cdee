// Classes in this file:
//   CClientDC - GetDC on construction, ReleaseDC on destruction.
#pragma once

#include "CDCHandle.h"

class CClientDC : public CDCHandle
{
    // Data members
    HWND m_hWnd;

public:
    explicit CClientDC(HWND wnd) : m_hWnd(wnd) { m_hDC = ::GetDC(wnd); }
    ~CClientDC()
    {
        if (m_hDC)
            ::ReleaseDC(m_hWnd, m_hDC);
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
};
