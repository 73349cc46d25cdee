#include "StartupFigure.h"

#include "Figures.h"

#include <windows.h>

namespace
{
constexpr double kStartLimitMs = 60000;
constexpr DWORD kAnswerLimitMs = 5000;
constexpr DWORD kEndLimitMs = 30000;

class ProcessHandles
{
public:
    ~ProcessHandles()
    {
        if (m_info.hThread)
            CloseHandle(m_info.hThread);
        if (m_info.hProcess)
            CloseHandle(m_info.hProcess);
    }
    PROCESS_INFORMATION m_info = {};
};

BOOL CALLBACK NoteChildToPaint(HWND child, LPARAM toPaint)
{
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(toPaint) = true;
        return FALSE;
    }
    return TRUE;
}

// The window of that class and process, shown, answering its messages and with neither it
// nor a shown child of it waiting to paint.
bool IsPainted(const wchar_t* windowClass, DWORD processId, HWND& window)
{
    window = nullptr;
    for (HWND found = FindWindowExW(nullptr, nullptr, windowClass, nullptr); found;
         found = FindWindowExW(nullptr, found, windowClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(found, &owner);
        if (owner == processId)
            window = found;
    }
    if (!window || !IsWindowVisible(window))
        return false;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerLimitMs, &answer))
        return false;
    if (GetUpdateRect(window, nullptr, FALSE))
        return false;
    bool toPaint = false;
    EnumChildWindows(window, NoteChildToPaint, reinterpret_cast<LPARAM>(&toPaint));
    return !toPaint;
}

bool CloseAndWait(HWND window, HANDLE process)
{
    if (!PostMessageW(window, WM_CLOSE, 0, 0))
        return false;
    if (WaitForSingleObject(process, kEndLimitMs) == WAIT_OBJECT_0)
        return true;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kEndLimitMs);
    return false;
}
}

bool MeasureProgramStart(const std::wstring& program, const wchar_t* windowClass, double& ms,
    const std::function<void()>& whenPainted)
{
    std::wstring command = L"\"" + program + L"\"";
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    ProcessHandles process;
    const Stopwatch watch;
    if (!CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
            &process.m_info))
        return false;
    HWND window = nullptr;
    while (!IsPainted(windowClass, process.m_info.dwProcessId, window)) {
        if (watch.Ms() > kStartLimitMs || WaitForSingleObject(process.m_info.hProcess, 0) == WAIT_OBJECT_0) {
            TerminateProcess(process.m_info.hProcess, 1);
            return false;
        }
        Sleep(1);
    }
    ms = watch.Ms();
    if (whenPainted)
        whenPainted();
    return CloseAndWait(window, process.m_info.hProcess);
}
