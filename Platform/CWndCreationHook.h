// Classes in this file:
//   CWndCreationHook - binds an object to the next window created on this thread.
#pragma once

#include <windows.h>

class CWnd;

// While in scope, binds the waiting object to the first window created on this thread, at
// HCBT_CREATEWND: before the window receives WM_NCCREATE and WM_CREATE, whatever its class
// (a dialog of a private window class included).
class CWndCreationHook
{
    // Data members
    HHOOK m_hHook;

public:
    explicit CWndCreationHook(CWnd* wnd);
    ~CWndCreationHook();
    CWndCreationHook(const CWndCreationHook&) = delete;
    CWndCreationHook& operator=(const CWndCreationHook&) = delete;

    // Attributes
    bool IsInstalled() const { return m_hHook != nullptr; }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
};
