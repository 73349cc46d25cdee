// Classes in this file:
//   CRect - a RECT with the size, offset and inset operations the controls use.
#pragma once

#include "CPoint.h"
#include "CSize.h"

#include <windows.h>

class CRect : public RECT
{
public:
    CRect() : RECT{ 0, 0, 0, 0 } {}
    CRect(int l, int t, int r, int b) : RECT{ l, t, r, b } {}
    CRect(const RECT& rc) : RECT(rc) {}
    CRect(POINT topLeft, SIZE size) : RECT{ topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy } {}

    // Attributes
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool PtInRect(POINT pt) const { return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom; }

    // Operations
    void SetRect(int l, int t, int r, int b)
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    void OffsetRect(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    void InflateRect(int dx, int dy)
    {
        left -= dx;
        right += dx;
        top -= dy;
        bottom += dy;
    }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }

    bool operator==(const RECT& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    bool operator!=(const RECT& other) const { return !(*this == other); }
    operator RECT*() { return this; }
    operator const RECT*() const { return this; }
};
