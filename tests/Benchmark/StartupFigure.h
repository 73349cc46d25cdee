// The start-up figure: a program from its process start to its main window shown, answering
// and with nothing left to paint, the window found by its class. The configuration program
// is measured so against a bare Win32 window's program.
#pragma once

#include <functional>
#include <string>

// Starts the program, waits for its window, calls whenPainted (may be empty) and closes it
// again (WM_CLOSE, then the process's end). False when the window did not appear or the
// program did not end in time.
bool MeasureProgramStart(const std::wstring& program, const wchar_t* windowClass, double& ms,
    const std::function<void()>& whenPainted = {});
