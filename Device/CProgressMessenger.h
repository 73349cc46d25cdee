// Classes in this file:
//   CProgressMessenger - sends progress values and texts to a list of windows.
#pragma once

#include <windows.h>

#include <vector>

// wParam: the messenger; lParam: a percentage.
constexpr UINT WM_GUI_PROGRESS = WM_USER + 30;
// wParam: the messenger; lParam: a wide text, valid during the call.
constexpr UINT WM_GUI_PROGRESS_TEXT = WM_USER + 31;

class CProgressMessenger
{
protected:
    std::vector<HWND> m_windows;

public:
    virtual ~CProgressMessenger() = default;

    void AddWindow(HWND window);
    void RemoveWindow(HWND window);
    // Each window gets the message in list order; SendMessageW waits for it to be handled.
    void SendProgress(int percent);
    void SendProgressText(const wchar_t* text);

private:
    void SendToAll(UINT message, LPARAM value);
};
