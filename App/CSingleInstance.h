// Classes in this file:
//   CSingleInstance - keeps the configuration program to one copy: the window class its
//                     main window is found by, and the test for a running copy under the
//                     single-instance mutex.
#pragma once

#include <windows.h>

class CSingleInstance
{
public:
    // The main window's class: double clicks, saved bits, byte-aligned, the dialog
    // procedure with its extra bytes, the program's icon, the arrow cursor, black brush.
    static bool RegisterWindowClass(HINSTANCE instance, HICON icon);

    // True when this copy should run. False when the mutex could not be had within a
    // second, or when a running copy was found and brought forward (its last active popup
    // restored when minimised, else made the foreground window).
    static bool ClaimOrActivateRunning();
};
