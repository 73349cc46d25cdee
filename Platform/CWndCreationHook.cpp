#include "CWndCreationHook.h"

#include "CWnd.h"

namespace
{
// The object waiting for the next window created on this thread.
thread_local CWnd* t_windowBeingCreated = nullptr;

// The input method's own windows may be created while another window is being created;
// they are never the window the object waits for.
bool IsImeWindow(HWND wnd)
{
    wchar_t name[32] = {};
    if (!::GetClassNameW(wnd, name, 32))
        return false;
    return ::lstrcmpiW(name, L"IME") == 0 || ::lstrcmpiW(name, L"MSCTFIME UI") == 0;
}
}

CWndCreationHook::CWndCreationHook(CWnd* wnd)
    : m_hHook(::SetWindowsHookExW(WH_CBT, &CWndCreationHook::HookProc, nullptr, ::GetCurrentThreadId()))
{
    if (m_hHook)
        t_windowBeingCreated = wnd;
}

CWndCreationHook::~CWndCreationHook()
{
    if (!m_hHook)
        return;
    t_windowBeingCreated = nullptr;
    ::UnhookWindowsHookEx(m_hHook);
}

LRESULT CALLBACK CWndCreationHook::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_windowBeingCreated)
    {
        HWND wnd = reinterpret_cast<HWND>(wParam);
        if (!IsImeWindow(wnd))
        {
            CWnd* object = t_windowBeingCreated;
            t_windowBeingCreated = nullptr;
            object->SubclassWindow(wnd);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
