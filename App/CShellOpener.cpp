#include "CShellOpener.h"

#include <windows.h>
#include <shellapi.h>

namespace
{
// ShellExecuteW reports success by a value above 32.
constexpr INT_PTR kShellErrorLimit = 32;
}

bool CShellOpener::Open(const CString& target)
{
    const HINSTANCE result = ::ShellExecuteW(nullptr, L"OPEN", target.GetString(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > kShellErrorLimit;
}

IShellOpener& CShellOpener::Get()
{
    static CShellOpener opener;
    return opener;
}
