// Classes in this file:
//   CLed - one command for one keypad LED: which LED, on or off, its colour, brightness and
//          effect.
#pragma once

#include <windows.h>

class CLed
{
public:
    // Data members
    int m_ledId = 0;
    int m_on = 0;
    COLORREF m_colour = 0;
    int m_brightness = 0;
    // 0 steady, 1 blinking with the on and off times.
    int m_effect = 0;
    int m_onMs = 0;
    int m_offMs = 0;
};
