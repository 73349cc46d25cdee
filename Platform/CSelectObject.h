// Classes in this file:
//   CSelectObject - selects a GDI object into a DC for one scope and restores the old one.
#pragma once

#include <windows.h>

class CSelectObject
{
    // Data members
    HDC m_hDC;
    HGDIOBJ m_hOld;

public:
    CSelectObject(HDC dc, HGDIOBJ object)
        : m_hDC(dc), m_hOld(dc && object ? ::SelectObject(dc, object) : nullptr)
    {
    }
    ~CSelectObject()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

    // Attributes
    bool IsSelected() const { return m_hOld != nullptr; }
};
