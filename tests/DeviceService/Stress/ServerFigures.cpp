#include "ServerFigures.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <cwchar>
#include <string>

namespace {

// The number written just before word in text ("... 3 sinks"), -1 when absent.
LONG NumberBefore(const std::wstring& text, const wchar_t* word)
{
    const size_t end = text.find(word);
    if (end == std::wstring::npos)
        return -1;
    size_t begin = end;
    while (begin > 0 && iswdigit(text[begin - 1]))
        --begin;
    return begin < end ? wcstol(text.c_str() + begin, nullptr, 10) : -1;
}

}

CServerFigures::~CServerFigures()
{
    if (m_process)
        CloseHandle(m_process);
}

bool CServerFigures::Open()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, L"KavroDeviceService.exe") == 0) {
            m_processId = entry.th32ProcessID;
            break;
        }
    }
    CloseHandle(snapshot);
    if (!m_processId)
        return false;
    m_process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, m_processId);
    return m_process != nullptr;
}

ServerFigures CServerFigures::ReadProcess() const
{
    ServerFigures figures;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
        THREADENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
            if (entry.th32OwnerProcessID == m_processId)
                ++figures.threads;
        }
        CloseHandle(snapshot);
    }
    // Wine reports the commit charge of another process, not its private bytes.
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(m_process, &memory, sizeof memory))
        figures.committedMb = double(memory.PagefileUsage) / (1024.0 * 1024.0);
    return figures;
}

ServerFigures CServerFigures::Read(IDeviceServiceControl* control) const
{
    ServerFigures figures = ReadProcess();
    LPWSTR dump = nullptr;
    if (FAILED(control->DumpState(&dump)) || !dump)
        return figures;
    const std::wstring text = dump;
    CoTaskMemFree(dump);
    figures.sinks = NumberBefore(text, L" sinks");
    figures.objects = NumberBefore(text, L" objects");
    figures.couriers = NumberBefore(text, L" couriers");
    figures.shared = NumberBefore(text, L" shared");
    return figures;
}
