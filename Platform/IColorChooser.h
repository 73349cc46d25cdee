// Classes in this file:
//   IColorChooser - the colour dialog as the controls see it: the program passes the system
//                   dialog, tests pass a chooser that answers at once.
#pragma once

#include <windows.h>

class IColorChooser
{
public:
    virtual ~IColorChooser() = default;

    // Runs the chooser modally over owner, starting at initial, with the CC_* flags; true
    // with the chosen colour when the user confirmed, false (chosen untouched) otherwise.
    virtual bool ChooseColor(HWND owner, COLORREF initial, DWORD flags, COLORREF& chosen) = 0;
};
