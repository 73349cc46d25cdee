#include "CSessionListener.h"

#include <wtsapi32.h>

CSessionListener g_sessionListener;

bool CSessionListener::Register(HWND window)
{
    if (!window || !WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION))
        return false;
    m_windows.push_back(window);
    return true;
}

void CSessionListener::UnregisterAll()
{
    while (!m_windows.empty()) {
        WTSUnRegisterSessionNotification(m_windows.back());
        m_windows.pop_back();
    }
}
