#include "CPcManager.h"

#include "RegistryString.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <memory>

namespace
{
const wchar_t kInstallationKey[] = L"Software\\Kavro\\Velmora";
// ShellExecuteW reports success by a value above 32.
constexpr INT_PTR kShellExecuteSucceeded = 32;
constexpr UINT kTerminatedExitCode = 1;

struct HandleCloser
{
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using CHandle = std::unique_ptr<void, HandleCloser>;

struct KeyCloser
{
    void operator()(HKEY key) const { ::RegCloseKey(key); }
};
using CRegKey = std::unique_ptr<std::remove_pointer<HKEY>::type, KeyCloser>;

CHandle TakeSnapshot()
{
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    return CHandle(snapshot == INVALID_HANDLE_VALUE ? nullptr : snapshot);
}

// Calls visit for every process entry until it returns true; true when it did.
template <class Visit>
bool WalkProcesses(Visit visit)
{
    CHandle snapshot = TakeSnapshot();
    if (!snapshot)
        return false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry))
    {
        // The system fills a terminated name; the last unit is forced for a faulty one.
        entry.szExeFile[MAX_PATH - 1] = L'\0';
        if (visit(entry))
            return true;
    }
    return false;
}
}

const wchar_t* const CPcManager::kConfigProgramName = L"KavroVelmoraConfig.exe";

bool CPcManager::ReadLanguageSetting(CString& language)
{
    return ReadInstallationValue(L"Language", language);
}

bool CPcManager::ReadInstallFolder(CString& folder)
{
    return ReadInstallationValue(L"InstallDir", folder);
}

bool CPcManager::StartConfigProgram()
{
    CString folder;
    if (!ReadInstallFolder(folder) || folder.IsEmpty())
        return false;
    if (folder.GetAt(folder.GetLength() - 1) == L'\\')
        folder = folder.Left(folder.GetLength() - 1);
    if (!::SetCurrentDirectoryW(folder))
        return false;
    const HINSTANCE result = ::ShellExecuteW(nullptr, L"open", kConfigProgramName, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > kShellExecuteSucceeded;
}

bool CPcManager::GetProcessExeName(DWORD processId, CString& name)
{
    return WalkProcesses([&](const PROCESSENTRY32W& entry) {
        if (entry.th32ProcessID != processId)
            return false;
        name = entry.szExeFile;
        return true;
    });
}

bool CPcManager::GetForegroundExeName(CString& name)
{
    HWND foreground = ::GetForegroundWindow();
    if (!foreground)
        return false;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(foreground, &processId);
    return processId != 0 && GetProcessExeName(processId, name);
}

bool CPcManager::IsForegroundApplication(const CString& name)
{
    CString foreground;
    return GetForegroundExeName(foreground) && foreground.CompareNoCase(name) == 0;
}

bool CPcManager::IsConfigProgramRunning()
{
    EnableDebugPrivilege();
    return FindProcess(kConfigProgramName) != 0;
}

bool CPcManager::TerminateConfigProgram()
{
    EnableDebugPrivilege();
    const DWORD processId = FindProcess(kConfigProgramName);
    if (processId == 0)
        return false;
    CHandle process(::OpenProcess(PROCESS_TERMINATE, FALSE, processId));
    if (!process)
        return false;
    // Not the running process's exit code: STILL_ACTIVE would tell anyone who asks after
    // the end that it still runs.
    return ::TerminateProcess(process.get(), kTerminatedExitCode) != FALSE;
}

bool CPcManager::EnableDebugPrivilege()
{
    HANDLE rawToken = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &rawToken))
        return false;
    CHandle token(rawToken);
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!::LookupPrivilegeValueW(nullptr, L"SeDebugPrivilege", &privileges.Privileges[0].Luid))
        return false;
    ::SetLastError(ERROR_SUCCESS);
    if (!::AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr))
        return false;
    // Success with ERROR_NOT_ALL_ASSIGNED means the account lacks the privilege.
    return ::GetLastError() == ERROR_SUCCESS;
}

DWORD CPcManager::FindProcess(const wchar_t* exeName)
{
    DWORD found = 0;
    WalkProcesses([&](const PROCESSENTRY32W& entry) {
        if (::lstrcmpiW(entry.szExeFile, exeName) != 0)
            return false;
        found = entry.th32ProcessID;
        return true;
    });
    return found;
}

bool CPcManager::ReadInstallationValue(const wchar_t* valueName, CString& value)
{
    value.Empty();
    HKEY rawKey = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kInstallationKey, 0, KEY_READ, &rawKey) != ERROR_SUCCESS)
        return false;
    CRegKey key(rawKey);
    return ReadRegistryString(key.get(), valueName, value) == ERROR_SUCCESS;
}
