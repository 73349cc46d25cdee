// Classes in this file:
//   CSize - a SIZE with constructors.
#pragma once

#include <windows.h>

class CSize : public SIZE
{
public:
    CSize() : SIZE{ 0, 0 } {}
    CSize(int width, int height) : SIZE{ width, height } {}
    CSize(SIZE size) : SIZE(size) {}

    bool operator==(const SIZE& other) const { return cx == other.cx && cy == other.cy; }
    bool operator!=(const SIZE& other) const { return !(*this == other); }
};
