// Classes in this file:
//   CPoint - a POINT with constructors and offsets.
#pragma once

#include <windows.h>

class CPoint : public POINT
{
public:
    CPoint() : POINT{ 0, 0 } {}
    CPoint(int px, int py) : POINT{ px, py } {}
    CPoint(POINT pt) : POINT(pt) {}

    // Operations
    void Offset(int dx, int dy)
    {
        x += dx;
        y += dy;
    }
    bool operator==(const POINT& other) const { return x == other.x && y == other.y; }
    bool operator!=(const POINT& other) const { return !(*this == other); }
};
