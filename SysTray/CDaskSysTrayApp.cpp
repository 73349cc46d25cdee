#include "CDaskSysTrayApp.h"

#include "CDaskSysTrayDlg.h"

#include <commctrl.h>

const wchar_t* const CDaskSysTrayApp::kMutexName = L"VelmoraSysTray";

bool CDaskSysTrayApp::InitInstance()
{
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, kMutexName);
    const DWORD error = ::GetLastError();
    if (!mutex)
        return false;
    m_instanceMutex.reset(mutex);
    // A second copy ends silently and leaves the first alone.
    if (error == ERROR_ALREADY_EXISTS)
        return false;
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = 0xFF;
    ::InitCommonControlsEx(&controls);
    if (!CWinApp::InitInstance())
        return false;
    m_pDialog = new CDaskSysTrayDlg;
    m_pMainWnd = m_pDialog;
    // A dialog whose window never came is still recorded, so ExitInstance deletes it.
    return m_pDialog->Create();
}

// The dialog deletes itself with its window; one still recorded as the main window (the
// loop ended without its destruction) is deleted here.
int CDaskSysTrayApp::ExitInstance()
{
    if (m_pDialog && m_pMainWnd == m_pDialog)
    {
        m_pMainWnd = nullptr;
        delete m_pDialog;
    }
    m_pDialog = nullptr;
    return CWinApp::ExitInstance();
}
