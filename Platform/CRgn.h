// Classes in this file:
//   CRgn - an owned GDI region.
#pragma once

#include "CGdiObject.h"

class CRgn : public CGdiObject
{
public:
    CRgn() = default;
    explicit CRgn(HRGN handle) : CGdiObject(handle) {}

    // Attributes
    HRGN GetHandle() const { return static_cast<HRGN>(m_hObject); }
    operator HRGN() const { return GetHandle(); }
    bool PtInRegion(int x, int y) const { return m_hObject && ::PtInRegion(GetHandle(), x, y) != FALSE; }

    // Operations
    bool CreateRectRgn(int left, int top, int right, int bottom)
    {
        Attach(::CreateRectRgn(left, top, right, bottom));
        return !IsNull();
    }
    bool CreateFromData(const RGNDATA* data, DWORD size)
    {
        Attach(data ? ::ExtCreateRegion(nullptr, size, data) : nullptr);
        return !IsNull();
    }
    // Combines two regions into this one, which must already exist; returns the region type
    // or ERROR.
    int CombineRgn(HRGN first, HRGN second, int mode)
    {
        return m_hObject ? ::CombineRgn(GetHandle(), first, second, mode) : ERROR;
    }
    bool EqualRgn(HRGN other) const { return m_hObject && other && ::EqualRgn(GetHandle(), other) != FALSE; }
};
