// Classes in this file:
//   CPaintDC - BeginPaint on construction, EndPaint on destruction.
#pragma once

#include "CDCHandle.h"

class CPaintDC : public CDCHandle
{
    // Data members
    HWND m_hWnd;

public:
    PAINTSTRUCT m_ps = {};

    explicit CPaintDC(HWND wnd) : m_hWnd(wnd) { m_hDC = ::BeginPaint(wnd, &m_ps); }
    ~CPaintDC()
    {
        if (m_hDC)
            ::EndPaint(m_hWnd, &m_ps);
    }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
};
