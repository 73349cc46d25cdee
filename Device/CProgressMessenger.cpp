#include "CProgressMessenger.h"

#include "CCritSec.h"

#include <algorithm>

void CProgressMessenger::AddWindow(HWND window)
{
    if (window && std::find(m_windows.begin(), m_windows.end(), window) == m_windows.end())
        m_windows.push_back(window);
}

void CProgressMessenger::RemoveWindow(HWND window)
{
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
}

void CProgressMessenger::SendProgress(int percent)
{
    SendToAll(WM_GUI_PROGRESS, percent);
}

void CProgressMessenger::SendProgressText(const wchar_t* text)
{
    SendToAll(WM_GUI_PROGRESS_TEXT, reinterpret_cast<LPARAM>(text));
}

void CProgressMessenger::SendToAll(UINT message, LPARAM value)
{
    CCritSec guard;
    for (HWND window : m_windows) {
        CSingleLock lock(&guard.Section(), true);
        SendMessageW(window, message, reinterpret_cast<WPARAM>(this), value);
    }
}
