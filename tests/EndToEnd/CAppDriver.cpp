#include "CAppDriver.h"

#include "WindowTestSupport.h"

#include <commctrl.h>

#include <utility>

namespace
{
const wchar_t kItemIdProperty[] = L"VelmoraItemId";

void CloseProcess(PROCESS_INFORMATION& process)
{
    if (process.hThread)
        ::CloseHandle(process.hThread);
    if (process.hProcess)
        ::CloseHandle(process.hProcess);
    process = {};
}

struct WindowSearch
{
    DWORD processId;
    const wchar_t* className;
    HWND exclude;
    HWND found;
};

BOOL CALLBACK MatchTopWindow(HWND wnd, LPARAM parameter)
{
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(wnd, &owner);
    if (owner != search->processId || wnd == search->exclude || !::IsWindowVisible(wnd))
        return TRUE;
    wchar_t name[128] = {};
    ::GetClassNameW(wnd, name, 128);
    if (search->className && ::lstrcmpiW(name, search->className) != 0)
        return TRUE;
    search->found = wnd;
    return FALSE;
}

struct ItemSearch
{
    int itemId;
    HWND found;
};

BOOL CALLBACK MatchItem(HWND wnd, LPARAM parameter)
{
    auto* search = reinterpret_cast<ItemSearch*>(parameter);
    HANDLE value = ::GetPropW(wnd, kItemIdProperty);
    if (value && static_cast<int>(reinterpret_cast<INT_PTR>(value)) == search->itemId)
    {
        search->found = wnd;
        return FALSE;
    }
    return TRUE;
}

// Waits with a short sleep between looks; the driver's own windows have nothing to pump.
template <class Condition>
bool Poll(Condition condition, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;)
    {
        if (condition())
            return true;
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(50);
    }
}
}

CAppDriver::CAppDriver(std::wstring programPath, std::wstring controlToolPath)
    : m_programPath(std::move(programPath)), m_controlToolPath(std::move(controlToolPath))
{
}

CAppDriver::~CAppDriver()
{
    Stop();
}

bool CAppDriver::IsRunning() const
{
    return m_process.hProcess && ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

bool CAppDriver::Launch(PROCESS_INFORMATION& process) const
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + m_programPath + L"\"";
    const std::wstring folder = m_programPath.substr(0, m_programPath.find_last_of(L'\\'));
    return ::CreateProcessW(m_programPath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
               folder.c_str(), &startup, &process) != FALSE;
}

bool CAppDriver::Start()
{
    Stop();
    return Launch(m_process);
}

DWORD CAppDriver::RunSecondCopy(DWORD timeoutMs, DWORD& elapsedMs) const
{
    PROCESS_INFORMATION second = {};
    const DWORD start = ::GetTickCount();
    if (!Launch(second))
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    if (::WaitForSingleObject(second.hProcess, timeoutMs) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(second.hProcess, &code);
    else
        ::TerminateProcess(second.hProcess, 1);
    elapsedMs = ::GetTickCount() - start;
    CloseProcess(second);
    return code;
}

DWORD CAppDriver::WaitForExit(DWORD timeoutMs)
{
    if (!m_process.hProcess || ::WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

void CAppDriver::Stop()
{
    if (!m_process.hProcess)
        return;
    if (IsRunning())
    {
        WindowSearch search = { m_process.dwProcessId, nullptr, nullptr, nullptr };
        ::EnumWindows(&MatchTopWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            ::PostMessageW(search.found, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(m_process.hProcess, 15000) != WAIT_OBJECT_0)
            ::TerminateProcess(m_process.hProcess, 1);
        ::WaitForSingleObject(m_process.hProcess, 5000);
    }
    CloseProcess(m_process);
}

HWND CAppDriver::WaitForWindow(const wchar_t* className, DWORD timeoutMs, HWND exclude) const
{
    WindowSearch search = { m_process.dwProcessId, className, exclude, nullptr };
    Poll([&] {
        search.found = nullptr;
        ::EnumWindows(&MatchTopWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, timeoutMs);
    return search.found;
}

HWND CAppDriver::FindItem(HWND top, int itemId)
{
    ItemSearch search = { itemId, nullptr };
    if (top)
        ::EnumChildWindows(top, &MatchItem, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND CAppDriver::WaitForItem(HWND top, int itemId, DWORD timeoutMs)
{
    HWND found = nullptr;
    Poll([&] { return (found = FindItem(top, itemId)) != nullptr; }, timeoutMs);
    return found;
}

bool CAppDriver::WaitUntil(bool (*condition)(HWND), HWND wnd, DWORD timeoutMs)
{
    return Poll([&] { return condition(wnd); }, timeoutMs);
}

std::wstring CAppDriver::GetText(HWND wnd)
{
    wchar_t text[512] = {};
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(wnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied))
        return std::wstring();
    return std::wstring(text, static_cast<size_t>(copied));
}

bool CAppDriver::HasVisibleStyle(HWND wnd)
{
    return wnd && (::GetWindowLongPtrW(wnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool CAppDriver::Activate(HWND wnd)
{
    HWND top = ::GetAncestor(wnd, GA_ROOT);
    if (!top)
        return false;
    ::SetForegroundWindow(top);
    return Poll([&] { return ::GetForegroundWindow() == top; }, 3000);
}

bool CAppDriver::Click(HWND wnd)
{
    RECT rect = {};
    if (!::GetWindowRect(wnd, &rect) || !Activate(wnd))
        return false;
    const POINT centre = { (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 };
    if (!WindowTest::MoveMouseTo(centre))
        return false;
    ::Sleep(50);
    WindowTest::PressLeftButton();
    ::Sleep(50);
    WindowTest::ReleaseLeftButton();
    ::Sleep(50);
    return true;
}

void CAppDriver::TapKey(WORD virtualKey)
{
    WindowTest::TapKey(virtualKey);
}

bool CAppDriver::SaveScreenshot(const std::wstring& path)
{
    return WindowTest::SaveScreenshot(path.c_str());
}

bool CAppDriver::RunControlTool(const std::wstring& arguments, std::string* text) const
{
    // The output goes to a file, not a pipe: a service the tool starts may inherit the
    // tool's handles and would hold a pipe open after the tool ended.
    wchar_t folder[MAX_PATH] = {};
    wchar_t file[MAX_PATH] = {};
    if (!::GetTempPathW(MAX_PATH, folder) || !::GetTempFileNameW(folder, L"kvd", 0, file))
        return false;
    SECURITY_ATTRIBUTES inherit = { sizeof inherit, nullptr, TRUE };
    HANDLE output = ::CreateFileW(file, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
        CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (output == INVALID_HANDLE_VALUE)
        return false;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    std::wstring commandLine = L"\"" + m_controlToolPath + L"\" " + arguments;
    PROCESS_INFORMATION process = {};
    DWORD code = STILL_ACTIVE;
    if (::CreateProcessW(m_controlToolPath.c_str(), &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
            nullptr, nullptr, &startup, &process))
    {
        if (::WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(process.hProcess, &code);
        else
            ::TerminateProcess(process.hProcess, 1);
        CloseProcess(process);
        char buffer[4096];
        DWORD read = 0;
        ::SetFilePointer(output, 0, nullptr, FILE_BEGIN);
        while (text && code == 0 && ::ReadFile(output, buffer, sizeof buffer, &read, nullptr) && read > 0)
            text->append(buffer, read);
    }
    ::CloseHandle(output);
    ::DeleteFileW(file);
    return code == 0;
}

namespace
{
void SendKey(WORD virtualKey, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof input);
    ::Sleep(20);
}

void SendRightButton(DWORD flag)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    ::SendInput(1, &input, sizeof input);
}

// A block of another process's memory, freed again at the end of its scope.
class CRemoteBuffer
{
    HANDLE m_process;
    void* m_address;

public:
    CRemoteBuffer(HANDLE process, size_t bytes)
        : m_process(process),
          m_address(process ? ::VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                            : nullptr)
    {
    }
    ~CRemoteBuffer()
    {
        if (m_address)
            ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
    }
    CRemoteBuffer(const CRemoteBuffer&) = delete;
    CRemoteBuffer& operator=(const CRemoteBuffer&) = delete;

    char* Get() const { return static_cast<char*>(m_address); }
};
}

bool CAppDriver::RightClick(HWND wnd, POINT clientPoint)
{
    POINT screen = clientPoint;
    if (!::ClientToScreen(wnd, &screen) || !Activate(wnd) || !WindowTest::MoveMouseTo(screen))
        return false;
    ::Sleep(50);
    SendRightButton(MOUSEEVENTF_RIGHTDOWN);
    ::Sleep(50);
    SendRightButton(MOUSEEVENTF_RIGHTUP);
    ::Sleep(50);
    return true;
}

void CAppDriver::TapKeyCombination(const std::vector<WORD>& keys)
{
    for (WORD key : keys)
        SendKey(key, false);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        SendKey(*key, true);
}

bool CAppDriver::TypeText(const std::wstring& text)
{
    for (wchar_t c : text)
    {
        const SHORT scan = ::VkKeyScanW(c);
        if (scan == -1)
            return false;
        const WORD key = static_cast<WORD>(scan & 0xFF);
        if (scan & 0x100)
            TapKeyCombination({ VK_SHIFT, key });
        else
            TapKeyCombination({ key });
    }
    return true;
}

std::wstring CAppDriver::GetListItemText(HWND list, int row, int column) const
{
    constexpr int kTextChars = 256;
    CRemoteBuffer remote(m_process.hProcess, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    if (!remote.Get())
        return std::wstring();
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(remote.Get() + sizeof(LVITEMW));
    item.cchTextMax = kTextChars;
    SIZE_T moved = 0;
    if (!::WriteProcessMemory(m_process.hProcess, remote.Get(), &item, sizeof item, &moved))
        return std::wstring();
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.Get()),
            SMTO_ABORTIFHUNG, 5000, &length))
        return std::wstring();
    wchar_t text[kTextChars] = {};
    if (length >= kTextChars ||
        !::ReadProcessMemory(m_process.hProcess, item.pszText, text, length * sizeof(wchar_t), &moved))
        return std::wstring();
    return std::wstring(text, static_cast<size_t>(length));
}

namespace
{
struct VisibleItemSearch
{
    int itemId;
    HWND found;
};

BOOL CALLBACK MatchVisibleItem(HWND wnd, LPARAM parameter)
{
    auto* search = reinterpret_cast<VisibleItemSearch*>(parameter);
    HANDLE value = ::GetPropW(wnd, kItemIdProperty);
    if (!value || static_cast<int>(reinterpret_cast<INT_PTR>(value)) != search->itemId || !::IsWindowVisible(wnd))
        return TRUE;
    search->found = wnd;
    return FALSE;
}
}

HWND CAppDriver::FindVisibleItem(HWND top, int itemId)
{
    VisibleItemSearch search = { itemId, nullptr };
    if (top)
        ::EnumChildWindows(top, &MatchVisibleItem, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool CAppDriver::Drag(HWND wnd, POINT from, POINT distance)
{
    if (!Activate(wnd) || !::ClientToScreen(wnd, &from) || !WindowTest::MoveMouseTo(from))
        return false;
    ::Sleep(50);
    WindowTest::PressLeftButton();
    ::Sleep(50);
    // Steps, as a hand moves: the control follows the pointer while the button is down.
    constexpr int kSteps = 10;
    bool moved = true;
    for (int step = 1; step <= kSteps && moved; ++step)
    {
        const POINT at = { from.x + distance.x * step / kSteps, from.y + distance.y * step / kSteps };
        moved = WindowTest::MoveMouseTo(at);
        ::Sleep(20);
    }
    WindowTest::ReleaseLeftButton();
    ::Sleep(50);
    return moved;
}
