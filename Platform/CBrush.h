// Classes in this file:
//   CBrush - an owned GDI brush.
#pragma once

#include "CGdiObject.h"

class CBrush : public CGdiObject
{
public:
    CBrush() = default;

    // Attributes
    HBRUSH GetHandle() const { return static_cast<HBRUSH>(m_hObject); }
    operator HBRUSH() const { return GetHandle(); }

    // Operations
    bool CreateSolidBrush(COLORREF color)
    {
        Attach(::CreateSolidBrush(color));
        return !IsNull();
    }
};
