#include "CSingleInstance.h"

#include "AppNames.h"

namespace
{
// Owns the mutex handle and releases a mutex it waited for.
class CMutexHold
{
    HANDLE m_mutex;
    bool m_owned = false;

public:
    explicit CMutexHold(const wchar_t* name) : m_mutex(::CreateMutexW(nullptr, FALSE, name)) {}
    ~CMutexHold()
    {
        if (m_owned)
            ::ReleaseMutex(m_mutex);
        if (m_mutex)
            ::CloseHandle(m_mutex);
    }
    CMutexHold(const CMutexHold&) = delete;
    CMutexHold& operator=(const CMutexHold&) = delete;

    // False only when the wait timed out; a mutex that could not be made does not stop
    // the program.
    bool Wait(DWORD milliseconds)
    {
        if (!m_mutex)
            return true;
        const DWORD result = ::WaitForSingleObject(m_mutex, milliseconds);
        if (result == WAIT_TIMEOUT)
            return false;
        m_owned = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
        return true;
    }
};

void ActivateRunning(HWND running)
{
    HWND popup = ::GetLastActivePopup(running);
    ::BringWindowToTop(running);
    if (popup && ::IsIconic(popup))
        ::ShowWindow(popup, SW_RESTORE);
    else
        ::SetForegroundWindow(popup ? popup : running);
}
}

bool CSingleInstance::RegisterWindowClass(HINSTANCE instance, HICON icon)
{
    WNDCLASSEXW info = {};
    info.cbSize = sizeof info;
    info.style = CS_DBLCLKS | CS_SAVEBITS | CS_BYTEALIGNWINDOW;
    info.lpfnWndProc = ::DefDlgProcW;
    info.cbWndExtra = DLGWINDOWEXTRA;
    info.hInstance = instance;
    info.hIcon = icon;
    info.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    info.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    info.lpszClassName = kSingleInstanceClass;
    return ::RegisterClassExW(&info) != 0;
}

bool CSingleInstance::ClaimOrActivateRunning()
{
    CMutexHold mutex(kSingleInstanceMutex);
    if (!mutex.Wait(1000))
        return false;
    HWND running = ::FindWindowW(kSingleInstanceClass, nullptr);
    if (!running)
        return true;
    ActivateRunning(running);
    return false;
}
