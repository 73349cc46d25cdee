// Classes in this file:
//   CPen - an owned GDI pen.
#pragma once

#include "CGdiObject.h"

class CPen : public CGdiObject
{
public:
    CPen() = default;

    // Attributes
    HPEN GetHandle() const { return static_cast<HPEN>(m_hObject); }
    operator HPEN() const { return GetHandle(); }

    // Operations
    bool CreatePen(int style, int width, COLORREF color)
    {
        Attach(::CreatePen(style, width, color));
        return !IsNull();
    }
};
