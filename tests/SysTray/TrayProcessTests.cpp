// KavroVelmoraSysTray.exe as it runs: started beside the simulated keypad, driven by the
// messages the shell, the session and the device manager would send it.
#include "CDaskSysTrayDlg.h"
#include "CTrayNotifyIcon.h"
#include "ExeFolder.h"
#include "SysTrayResource.h"
#include "TrayServiceSupport.h"
#include "Utf8.h"
#include "WindowTestSupport.h"

#include <dbt.h>
#include <objbase.h>
#include <tlhelp32.h>
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
constexpr DWORD kStartMs = 20000;

std::string Narrow(const std::wstring& text)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string narrow(static_cast<size_t>(size - 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &narrow[0], size, nullptr, nullptr);
    return narrow;
}

std::wstring FolderOf(const char* relative)
{
    CString folder = Utf8ToWide(relative);
    folder.Replace(L'/', L'\\');
    return (GetModuleFolder() + folder + L"\\").Str();
}

std::wstring TrayPath() { return FolderOf(VELMORA_TRAY_FOLDER) + L"KavroVelmoraSysTray.exe"; }
std::wstring ControlPath() { return FolderOf(VELMORA_CONTROL_FOLDER) + L"KavroDeviceControl.exe"; }
std::wstring OwnFolderFile(const wchar_t* name) { return GetModuleFolder().Str() + name; }

class CProcess
{
    PROCESS_INFORMATION m_info = {};

public:
    CProcess() = default;
    ~CProcess() { Close(true); }
    CProcess(const CProcess&) = delete;
    CProcess& operator=(const CProcess&) = delete;

    bool Start(const std::wstring& path, const std::wstring& arguments = std::wstring())
    {
        std::wstring commandLine = L"\"" + path + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        return ::CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                   &m_info) != FALSE;
    }
    DWORD Id() const { return m_info.dwProcessId; }
    bool IsRunning() const { return m_info.hProcess && ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT; }
    bool WaitForEnd(DWORD ms) const
    {
        return m_info.hProcess && ::WaitForSingleObject(m_info.hProcess, ms) == WAIT_OBJECT_0;
    }
    // The exit code once ended; -1 when the process did not end in time.
    long Wait(DWORD ms) const
    {
        DWORD code = 0;
        if (!WaitForEnd(ms) || !::GetExitCodeProcess(m_info.hProcess, &code))
            return -1;
        return static_cast<long>(code);
    }
    void Close(bool terminate)
    {
        if (terminate && IsRunning())
        {
            ::TerminateProcess(m_info.hProcess, 1);
            ::WaitForSingleObject(m_info.hProcess, 5000);
        }
        if (m_info.hThread)
            ::CloseHandle(m_info.hThread);
        if (m_info.hProcess)
            ::CloseHandle(m_info.hProcess);
        m_info = {};
    }
};

struct WindowSearch
{
    DWORD processId;
    const wchar_t* className;
    const wchar_t* title;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND wnd, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(wnd, &owner);
    wchar_t className[64] = {};
    ::GetClassNameW(wnd, className, 64);
    wchar_t title[64] = {};
    ::GetWindowTextW(wnd, title, 64);
    if (owner != search->processId || wcscmp(className, search->className) != 0 ||
        (search->title && wcscmp(title, search->title) != 0) || (search->visibleOnly && !::IsWindowVisible(wnd)))
        return TRUE;
    search->found = wnd;
    return FALSE;
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title, bool visibleOnly)
{
    WindowSearch search = { processId, className, title, visibleOnly, nullptr };
    ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsProcessRunning(const wchar_t* exeName)
{
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    bool found = false;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more && !found; more = ::Process32NextW(snapshot, &entry))
        found = ::lstrcmpiW(entry.szExeFile, exeName) == 0;
    ::CloseHandle(snapshot);
    return found;
}

int CountProcesses(const wchar_t* exeName)
{
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry))
        count += ::lstrcmpiW(entry.szExeFile, exeName) == 0 ? 1 : 0;
    ::CloseHandle(snapshot);
    return count;
}

// Points the installation's "InstallDir" at a folder for one test and puts back what was
// there before.
class CInstallFolder
{
    HKEY m_key = nullptr;
    bool m_hadValue = false;
    std::wstring m_previous;

public:
    explicit CInstallFolder(const std::wstring& folder)
    {
        if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Kavro\\Velmora", 0, nullptr, 0,
                KEY_READ | KEY_SET_VALUE, nullptr, &m_key, nullptr) != ERROR_SUCCESS)
        {
            m_key = nullptr;
            return;
        }
        wchar_t previous[MAX_PATH] = {};
        DWORD size = sizeof(previous) - sizeof(wchar_t);
        m_hadValue = ::RegQueryValueExW(m_key, L"InstallDir", nullptr, nullptr, reinterpret_cast<BYTE*>(previous),
                         &size) == ERROR_SUCCESS;
        m_previous = previous;
        Write(folder);
    }
    ~CInstallFolder()
    {
        if (!m_key)
            return;
        if (m_hadValue)
            Write(m_previous);
        else
            ::RegDeleteValueW(m_key, L"InstallDir");
        ::RegCloseKey(m_key);
    }
    CInstallFolder(const CInstallFolder&) = delete;
    CInstallFolder& operator=(const CInstallFolder&) = delete;

    bool IsSet() const { return m_key != nullptr; }

private:
    void Write(const std::wstring& folder)
    {
        ::RegSetValueExW(m_key, L"InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
            static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    }
};

class TrayProgram : public testing::Test
{
protected:
    TrayService m_service;
    CProcess m_tray;
    HWND m_window = nullptr;
    int m_sinksBefore = 0;

    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        WindowTest::EndProcesses(L"KavroVelmoraSysTray.exe");
        ASSERT_TRUE(m_service.Reset());
        // The sinks of programs that ended before (earlier tests) are dropped by the service
        // within seconds; the counts these tests compare start from none.
        ASSERT_TRUE(WindowTest::PumpUntil([&] { return m_service.SinkCount() == 0; }, 15000)) << Narrow(m_service.Dump());
    }

    void TearDown() override
    {
        StopTray();
        WindowTest::EndProcesses(L"KavroVelmoraConfig.exe");
        WindowTest::EndProcesses(L"TrayLaunchTarget.exe");
        m_service.Restore();
        m_service.Reset();
        CoUninitialize();
    }

    // Starts the tray and waits for its window and, unless told not to, its two connections.
    void StartTray(bool waitForConnections = true)
    {
        m_sinksBefore = m_service.SinkCount();
        ASSERT_TRUE(m_tray.Start(TrayPath())) << "cannot start " << Narrow(TrayPath());
        ASSERT_TRUE(WindowTest::PumpUntil([&] {
            m_window = FindProcessWindow(m_tray.Id(), L"#32770", CDaskSysTrayDlg::kWindowTitle, false);
            return m_window != nullptr;
        }, kStartMs)) << "the tray's window did not come";
        if (!waitForConnections)
            return;
        ASSERT_TRUE(WindowTest::PumpUntil([&] { return m_service.SinkCount() == m_sinksBefore + 2; }, kStartMs))
            << Narrow(m_service.Dump());
    }

    void StopTray()
    {
        if (m_window && m_tray.IsRunning())
            ::PostMessageW(m_window, WM_CLOSE, 0, 0);
        if (m_tray.IsRunning())
        {
            EXPECT_EQ(m_tray.Wait(15000), 0) << "the tray did not end after WM_CLOSE";
        }
        m_tray.Close(true);
        m_window = nullptr;
    }

    bool NoticeShown() const
    {
        return FindProcessWindow(m_tray.Id(), L"csl_osd", nullptr, true) != nullptr;
    }

    void Save(const wchar_t* name)
    {
        const std::wstring path = OwnFolderFile(name);
        EXPECT_TRUE(WindowTest::SaveScreenshot(path.c_str()));
    }
};
}

TEST_F(TrayProgram, ASecondCopyEndsAtOnceAndLeavesTheFirstAlone)
{
    StartTray();
    CProcess second;
    ASSERT_TRUE(second.Start(TrayPath()));
    EXPECT_EQ(second.Wait(15000), 0);
    EXPECT_TRUE(m_tray.IsRunning());
    EXPECT_TRUE(::IsWindow(m_window));
    EXPECT_EQ(m_service.SinkCount(), m_sinksBefore + 2);
}

TEST_F(TrayProgram, ALockStopsThePollAndDisconnectsAndAnUnlockStartsBoth)
{
    StartTray();
    ASSERT_TRUE(::PostMessageW(m_window, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return m_service.SinkCount() == m_sinksBefore; }, 5000));
    ASSERT_HRESULT_SUCCEEDED(m_service.Control()->ClearCallLog());
    WindowTest::PumpFor(6000);
    EXPECT_EQ(m_service.CountCalls(L"IProfileProperties::GetProperty"), 0) << "the poll ran while locked";

    ASSERT_TRUE(::PostMessageW(m_window, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return m_service.SinkCount() == m_sinksBefore + 2; }, 5000));
    EXPECT_EQ(m_service.CountCalls(L"IConnectionPoint::Advise"), 2);
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return m_service.CountCalls(L"IProfileProperties::GetProperty") > 0; },
        8000)) << "the poll did not run again";
}

TEST_F(TrayProgram, ALockSwitchesTheRecordingLedOffAfterLeavingCaptureMode)
{
    ASSERT_TRUE(m_service.SetMode(2));
    ASSERT_TRUE(m_service.SwitchLed(L"Profile 1", 7, true));
    StartTray();
    ASSERT_TRUE(::PostMessageW(m_window, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return m_service.Dump().find(L"led 7 off") != std::wstring::npos; },
        5000)) << Narrow(m_service.Dump());
    EXPECT_NE(m_service.Dump().find(L"mode 1,"), std::wstring::npos);
}

TEST_F(TrayProgram, TheKeypadGoingEndsARunningConfigurationProgram)
{
    CProcess config;
    ASSERT_TRUE(config.Start(OwnFolderFile(L"KavroVelmoraConfig.exe")));
    StartTray();
    ASSERT_TRUE(config.IsRunning());
    ASSERT_HRESULT_SUCCEEDED(m_service.Control()->SetPresent(0));
    ASSERT_TRUE(::PostMessageW(m_window, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0));
    ASSERT_TRUE(config.WaitForEnd(10000)) << "the configuration program still runs";
    // An exit code of STILL_ACTIVE would tell anyone who asks that it still ran.
    EXPECT_NE(config.Wait(0), static_cast<long>(STILL_ACTIVE));
    EXPECT_TRUE(WindowTest::PumpUntil([&] { return m_service.SinkCount() == m_sinksBefore; }, 5000));
    EXPECT_TRUE(m_tray.IsRunning());
}

TEST_F(TrayProgram, ANodeChangeWithTheKeypadStillThereChangesNothing)
{
    CProcess config;
    ASSERT_TRUE(config.Start(OwnFolderFile(L"KavroVelmoraConfig.exe")));
    StartTray();
    ASSERT_TRUE(::PostMessageW(m_window, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0));
    WindowTest::PumpFor(1500);
    EXPECT_TRUE(config.IsRunning());
    EXPECT_EQ(m_service.SinkCount(), m_sinksBefore + 2);
}

TEST_F(TrayProgram, TheControlToolsLaunchCommandStartsTheNamedProgram)
{
    StartTray();
    const std::wstring target = L"\"" + OwnFolderFile(L"TrayLaunchTarget.exe") + L"\"";
    CProcess ignored;
    ASSERT_TRUE(ignored.Start(ControlPath(), L"launch 2 " + target));
    ASSERT_EQ(ignored.Wait(15000), 0);
    WindowTest::PumpFor(1500);
    EXPECT_FALSE(IsProcessRunning(L"TrayLaunchTarget.exe")) << "a launch of another type started it";

    CProcess launch;
    ASSERT_TRUE(launch.Start(ControlPath(), L"launch 1 " + target));
    ASSERT_EQ(launch.Wait(15000), 0);
    EXPECT_TRUE(WindowTest::PumpUntil([] { return IsProcessRunning(L"TrayLaunchTarget.exe"); }, 10000));
}

TEST_F(TrayProgram, AProfileChangedElsewhereShowsItsNoticeWhenItAsksForOne)
{
    ASSERT_TRUE(m_service.AddProfile(L"Racing"));
    ASSERT_TRUE(m_service.SetFlags(L"Racing", kProfileNoticeFlag, kProfileNoticeFlag));
    ASSERT_TRUE(m_service.AddProfile(L"Quiet"));
    StartTray();

    ASSERT_TRUE(m_service.Activate(L"Quiet"));
    WindowTest::PumpFor(1500);
    EXPECT_FALSE(NoticeShown()) << "a profile without the notice flag showed one";

    ASSERT_TRUE(m_service.Activate(L"Racing"));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return NoticeShown(); }, 5000));
    WindowTest::PumpFor(200);
    Save(L"tray-notice.bmp");
    EXPECT_TRUE(WindowTest::PumpUntil([&] { return !NoticeShown(); }, 4000)) << "the notice stayed";
}

TEST_F(TrayProgram, TheMenuListsTheProfilesAndChoosesOne)
{
    ASSERT_TRUE(m_service.AddProfile(L"Racing"));
    ASSERT_TRUE(m_service.SetFlags(L"Racing", kProfileNoticeFlag, kProfileNoticeFlag));
    ASSERT_TRUE(m_service.AddProfile(L"Shooter"));
    ASSERT_TRUE(m_service.Activate(L"Shooter"));
    StartTray();
    ASSERT_TRUE(WindowTest::MoveMouseTo(POINT{ 1100, 900 }));
    ASSERT_TRUE(::PostMessageW(m_window, CTrayNotifyIcon::kCallbackMessage, CTrayNotifyIcon::kIconId, WM_RBUTTONUP));
    HWND menuWindow = nullptr;
    ASSERT_TRUE(WindowTest::PumpUntil([&] {
        menuWindow = FindProcessWindow(m_tray.Id(), L"#32768", nullptr, true);
        return menuWindow != nullptr;
    }, 5000)) << "no menu opened";
    WindowTest::PumpFor(300);
    Save(L"tray-menu.bmp");
    // A menu's items cannot be read from another process under Wine; the menu built from
    // the same profiles is checked in-process by the menu tests, and the screenshot shows it.
    RECT shown;
    ASSERT_TRUE(::GetWindowRect(menuWindow, &shown));
    EXPECT_GT(shown.bottom - shown.top, 5 * ::GetSystemMetrics(SM_CYMENUSIZE)) << "fewer than seven items";
    ::PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return !FindProcessWindow(m_tray.Id(), L"#32768", nullptr, true); }, 5000));

    // The chosen profile's own notice flag decides, not the one active before.
    ASSERT_TRUE(::PostMessageW(m_window, WM_COMMAND, 1001, 0));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return m_service.ActiveName() == L"Racing"; }, 5000));
    EXPECT_TRUE(WindowTest::PumpUntil([&] { return NoticeShown(); }, 3000));

    // The close item ends the program.
    ASSERT_TRUE(::PostMessageW(m_window, WM_COMMAND, 32774, 0));
    EXPECT_EQ(m_tray.Wait(15000), 0);
    EXPECT_TRUE(WindowTest::PumpUntil([&] { return m_service.SinkCount() == m_sinksBefore; }, 5000));
}

TEST_F(TrayProgram, TheForegroundProgramActivatesTheProfileLinkedToIt)
{
    ASSERT_TRUE(m_service.AddProfile(L"Other"));
    ASSERT_TRUE(m_service.SetFlags(L"Other", kLinkedFlag, kLinkedFlag));
    ASSERT_TRUE(m_service.SetApplication(L"Other", L"notepad.exe"));
    ASSERT_TRUE(m_service.AddProfile(L"Linked"));
    ASSERT_TRUE(m_service.SetFlags(L"Linked", kLinkedFlag | kProfileNoticeFlag, kLinkedFlag | kProfileNoticeFlag));
    ASSERT_TRUE(m_service.SetApplication(L"Linked", L"systrayprocesstests.EXE"));
    HWND own = ::CreateWindowExW(0, L"STATIC", L"foreground program", WS_POPUP | WS_VISIBLE, 200, 200, 300, 150,
        nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(own);
    ASSERT_TRUE(WindowTest::BringToForeground(own));
    StartTray();
    // The poll runs every five seconds; the window is put back in front should anything have
    // taken the foreground meanwhile.
    EXPECT_TRUE(WindowTest::PumpUntil([&] {
        if (::GetForegroundWindow() != own)
            ::SetForegroundWindow(own);
        return m_service.ActiveName() == L"Linked";
    }, 16000)) << "foreground: " << ::GetForegroundWindow() << ", own window: " << own;
    EXPECT_TRUE(WindowTest::PumpUntil([&] { return NoticeShown(); }, 3000));
    ::DestroyWindow(own);
}

TEST_F(TrayProgram, LoadStartsTheConfigurationProgramFromTheInstallFolderUnlessItRuns)
{
    // The folder ends in a backslash, which the tray drops before making it its working folder.
    CInstallFolder install(GetModuleFolder().Str());
    ASSERT_TRUE(install.IsSet());
    StartTray();
    ASSERT_TRUE(::PostMessageW(m_window, WM_COMMAND, ID_LOAD_VELMORA, 0));
    ASSERT_TRUE(WindowTest::PumpUntil([] { return IsProcessRunning(L"KavroVelmoraConfig.exe"); }, 10000));
    ASSERT_TRUE(::PostMessageW(m_window, WM_COMMAND, ID_LOAD_VELMORA, 0));
    WindowTest::PumpFor(2000);
    EXPECT_EQ(CountProcesses(L"KavroVelmoraConfig.exe"), 1);
    EXPECT_TRUE(m_tray.IsRunning());
}

TEST_F(TrayProgram, ASingleClickOpensTheMenuAndADoubleClickOpensTheProgramInstead)
{
    CInstallFolder install(GetModuleFolder().Str());
    ASSERT_TRUE(install.IsSet());
    StartTray();
    const auto menuShown = [&] { return FindProcessWindow(m_tray.Id(), L"#32768", nullptr, true) != nullptr; };
    ASSERT_TRUE(::PostMessageW(m_window, CTrayNotifyIcon::kCallbackMessage, CTrayNotifyIcon::kIconId, WM_LBUTTONDOWN));
    ASSERT_TRUE(::PostMessageW(m_window, CTrayNotifyIcon::kCallbackMessage, CTrayNotifyIcon::kIconId, WM_LBUTTONDBLCLK));
    EXPECT_TRUE(WindowTest::PumpUntil([] { return IsProcessRunning(L"KavroVelmoraConfig.exe"); }, 10000));
    WindowTest::PumpFor(::GetDoubleClickTime() + 1000);
    EXPECT_FALSE(menuShown()) << "the double click also opened the menu";

    ASSERT_TRUE(::PostMessageW(m_window, CTrayNotifyIcon::kCallbackMessage, CTrayNotifyIcon::kIconId, WM_LBUTTONDOWN));
    ASSERT_TRUE(WindowTest::PumpUntil(menuShown, ::GetDoubleClickTime() + 3000)) << "a single click opened no menu";
    HWND menuWindow = FindProcessWindow(m_tray.Id(), L"#32768", nullptr, true);
    ::PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WindowTest::PumpUntil([&] { return !menuShown(); }, 5000));
}

TEST_F(TrayProgram, TheSystemMenusAboutItemOpensTheAboutBoxAndCloseEndsTheProgram)
{
    StartTray();
    ASSERT_TRUE(::PostMessageW(m_window, WM_SYSCOMMAND, IDM_ABOUTBOX, 0));
    HWND about = nullptr;
    ASSERT_TRUE(WindowTest::PumpUntil([&] {
        about = FindProcessWindow(m_tray.Id(), L"#32770", L"About DaskSysTray", true);
        return about != nullptr;
    }, 5000)) << "no About box";
    wchar_t version[64] = {};
    ::GetDlgItemTextW(about, IDC_ABOUT_VERSION, version, 64);
    EXPECT_STREQ(version, L"DaskSysTray, Version 1.0");
    ASSERT_TRUE(::PostMessageW(about, WM_COMMAND, IDOK, 0));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return !::IsWindow(about); }, 5000));
    EXPECT_TRUE(m_tray.IsRunning());

    // Any other system command gets the default handling: SC_CLOSE closes the dialog.
    ASSERT_TRUE(::PostMessageW(m_window, WM_SYSCOMMAND, SC_CLOSE, 0));
    EXPECT_EQ(m_tray.Wait(15000), 0);
    EXPECT_TRUE(WindowTest::PumpUntil([&] { return m_service.SinkCount() == m_sinksBefore; }, 5000));
}

TEST_F(TrayProgram, APollConnectsOnceTheServiceFindsTheKeypad)
{
    ASSERT_HRESULT_SUCCEEDED(m_service.Control()->SetPresent(0));
    StartTray(false);
    WindowTest::PumpFor(1500);
    EXPECT_EQ(m_service.SinkCount(), m_sinksBefore) << "connected without the keypad";
    ASSERT_HRESULT_SUCCEEDED(m_service.Control()->SetPresent(1));
    EXPECT_TRUE(WindowTest::PumpUntil([&] { return m_service.SinkCount() == m_sinksBefore + 2; }, 8000))
        << "the poll did not connect";
}
