// Classes in this file:
//   CSessionListener - asks Windows to tell windows about user-session changes (lock,
//   unlock, logon, logoff).
#pragma once

#include <windows.h>

#include <vector>

class CSessionListener
{
    std::vector<HWND> m_windows;

public:
    CSessionListener() = default;
    ~CSessionListener() { UnregisterAll(); }
    CSessionListener(const CSessionListener&) = delete;
    CSessionListener& operator=(const CSessionListener&) = delete;

    // A null window does nothing; false when Windows refused the registration.
    bool Register(HWND window);
    void UnregisterAll();
    int GetCount() const { return static_cast<int>(m_windows.size()); }
};

extern CSessionListener g_sessionListener;
