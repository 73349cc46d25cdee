// Classes in this file:
//   CLedSetting - one LED's plain settings in a profile.
#pragma once

#include "KeypadTypes.h"

#include <windows.h>

struct CLedSetting
{
    bool on = false;
    COLORREF colour = 0;
    tLEDEffect effect = tLEDEffect(0);
    // Percent, 0 to 100.
    unsigned int brightness = 100;
};
