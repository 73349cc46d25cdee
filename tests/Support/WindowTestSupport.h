// Helpers of the windowed tests: pumping messages, real input through SendInput, and
// reading back screen pixels.
#pragma once

#include <windows.h>

#include <functional>

namespace WindowTest
{
// Dispatches this thread's messages until done() holds or the time is up; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);
// Dispatches whatever is waiting, for at least the given time.
void PumpFor(DWORD ms);

// Moves the cursor to a screen point with SendInput; true when it arrived there.
bool MoveMouseTo(POINT screenPoint);
// Moves to the point inside the window's client area and clicks the left button.
bool ClickAt(HWND wnd, POINT clientPoint);
void PressLeftButton();
void ReleaseLeftButton();
// Presses and releases a key with SendInput.
void TapKey(WORD virtualKey);
// Makes the window the foreground window, so that it receives the keyboard input.
bool BringToForeground(HWND wnd);

// Saves the whole screen as a 24-bit BMP file; false when it cannot be read or written.
bool SaveScreenshot(const wchar_t* path);

// The colour of a screen pixel as the window shows it (CLR_INVALID on failure).
COLORREF ScreenPixel(HWND wnd, POINT clientPoint);
// Ends every process of this program file name (a test's leftovers) and waits for each.
void EndProcesses(const wchar_t* exeName);
}
