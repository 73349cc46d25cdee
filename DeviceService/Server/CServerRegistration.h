// Classes in this file:
//   CServerRegistration - writes and removes the registry entries that let COM start the
//   service and marshal its interfaces.
#pragma once

#include <windows.h>

#include <string>

// The entries go below "<root>\Software\Classes": the machine's classes (HKLM) where
// every user's programs find them (Wine reads class registrations only there), or the
// user's (HKCU) on Windows without administrator rights.
class CServerRegistration
{
    // Data members
    HKEY m_root;
    std::wstring m_serverPath;
    std::wstring m_proxyPath;

public:
    CServerRegistration(HKEY root, std::wstring serverPath, std::wstring proxyPath);

    // "HKLM" or "HKCU" (any case); null for anything else.
    static HKEY RootFromName(const wchar_t* name);

    bool Register(std::wstring& error) const;
    bool Unregister(std::wstring& error) const;
};
