// The configuration program run as a user runs it, against the simulated keypad of the
// device service. Every case starts from the same state: the installation's registry key
// with English and a stand-in tray program, the keypad present in its factory state.
#include "CAppDriver.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace
{
const wchar_t kMainClass[] = L"SINGLE_INSTANCE_APP_VELMORA";
const wchar_t kInstallKey[] = L"Software\\Kavro\\Velmora";
// A short folder: the program reads at most 39 characters of the install folder.
const wchar_t kTrayFolder[] = L"C:\\VelmoraTest\\";
const wchar_t kTrayMutex[] = L"VelmoraSysTray";
const wchar_t kTrayStop[] = L"VelmoraEndToEndTrayStop";
constexpr DWORD kStartTimeout = 60000;

enum
{
    BUTTON_OK = 48,
    BUTTON_APPLY = 50,
    BUTTON_EXIT = 51,
    BUTTON_POPUP_OK = 67,
    BUTTON_ASSIGNBUTTONS = 71,
    BUTTON_MANAGEPROFILES = 72,
    BUTTON_MANAGEMACROS = 73,
    BUTTON_MACRO_CREATE = 79,
    BUTTON_ADD_BASIC_MACRO_CMDS = 87,
    BUTTON_MACRO_RECORD_FORWARD = 91,
    EDITCTRL_POPUP_NAMEENTRY = 159,
    MACRO_DISPLAY = 181,
    BUTTON_LIGHTINGMAINTENANCE = 74,
    TEXT_WARNDLG_HEADING = 129,
    TEXT_ASSIGNBUTTONS_HEADING = 131,
    TEXT_DRIVERVER = 137,
    TEXT_FIRMWAREVER = 138,
    TEXT_MANAGEPROFILES_HEADING = 139,
    TEXT_MANAGEMACROS_HEADING = 142,
    TEXT_LIGHTINGANDMAINTENANCE_HEADING = 151,
};

std::wstring ModuleFolder()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring BuildPath(const wchar_t* relative)
{
    std::wstring path = ModuleFolder() + relative;
    for (wchar_t& c : path)
        c = c == L'/' ? L'\\' : c;
    return path;
}

bool WriteInstallKey(const wchar_t* language, const wchar_t* installDir)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kInstallKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const auto write = [&](const wchar_t* name, const wchar_t* value) {
        const DWORD bytes = static_cast<DWORD>((::lstrlenW(value) + 1) * sizeof(wchar_t));
        return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes) == ERROR_SUCCESS;
    };
    const bool written = write(L"Language", language) && write(L"InstallDir", installDir);
    ::RegCloseKey(key);
    return written;
}

bool IsTrayRunning()
{
    HANDLE mutex = ::OpenMutexW(SYNCHRONIZE, FALSE, kTrayMutex);
    if (!mutex)
        return false;
    ::CloseHandle(mutex);
    return true;
}

void StopTray()
{
    if (HANDLE stop = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, kTrayStop))
    {
        ::SetEvent(stop);
        ::CloseHandle(stop);
        for (int i = 0; i < 100 && IsTrayRunning(); ++i)
            ::Sleep(50);
    }
    // A tray program that another test started (the real one has no stop event) ends too.
    WindowTest::EndProcesses(L"KavroVelmoraSysTray.exe");
}

bool IsEnabled(HWND wnd)
{
    return ::IsWindowEnabled(wnd) != FALSE;
}

bool IsDisabled(HWND wnd)
{
    return ::IsWindowEnabled(wnd) == FALSE;
}

bool IsGone(HWND wnd)
{
    return ::IsWindow(wnd) == FALSE || ::IsWindowVisible(wnd) == FALSE;
}

class EndToEnd : public ::testing::Test
{
protected:
    CAppDriver m_driver{ BuildPath(VELMORA_APP_PROGRAM), BuildPath(VELMORA_CONTROL_TOOL) };

    void SetUp() override
    {
        StopTray();
        ::CreateDirectoryW(kTrayFolder, nullptr);
        const std::wstring tray = std::wstring(kTrayFolder) + L"KavroVelmoraSysTray.exe";
        ASSERT_TRUE(::CopyFileW(BuildPath(VELMORA_TRAY_STAND_IN).c_str(), tray.c_str(), FALSE));
        ASSERT_TRUE(WriteInstallKey(L"English", kTrayFolder));
        ASSERT_TRUE(m_driver.RunControlTool(L"reset"));
        ASSERT_TRUE(m_driver.RunControlTool(L"present on"));
    }

    void TearDown() override
    {
        m_driver.Stop();
        m_driver.RunControlTool(L"present on");
        StopTray();
    }

    HWND StartAndWaitForMainWindow()
    {
        if (!m_driver.Start())
            return nullptr;
        return m_driver.WaitForWindow(kMainClass, kStartTimeout);
    }

    static std::wstring ScreenshotPath(const std::wstring& name)
    {
        const std::wstring folder = BuildPath(VELMORA_SCREENSHOT_FOLDER);
        ::CreateDirectoryW(folder.c_str(), nullptr);
        return folder + L"\\" + name + L".bmp";
    }
};

TEST_F(EndToEnd, MainWindow_ShowsApplyDisabledAndEachTabItsPage)
{
    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND apply = CAppDriver::WaitForItem(main, BUTTON_APPLY, 10000);
    ASSERT_NE(apply, nullptr);
    EXPECT_TRUE(CAppDriver::WaitUntil(&IsDisabled, apply, 10000));
    EXPECT_TRUE(IsEnabled(CAppDriver::FindItem(main, BUTTON_OK)));
    EXPECT_NE(CAppDriver::GetText(CAppDriver::FindItem(main, TEXT_DRIVERVER)).find(L": 1.00"), std::wstring::npos);
    EXPECT_NE(CAppDriver::GetText(CAppDriver::FindItem(main, TEXT_FIRMWAREVER)).find(L": 1.05"), std::wstring::npos);

    struct Tab
    {
        int button;
        int heading;
        const wchar_t* screenshot;
    };
    const Tab tabs[] = {
        { BUTTON_MANAGEPROFILES, TEXT_MANAGEPROFILES_HEADING, L"main-profiles" },
        { BUTTON_MANAGEMACROS, TEXT_MANAGEMACROS_HEADING, L"main-macros" },
        { BUTTON_LIGHTINGMAINTENANCE, TEXT_LIGHTINGANDMAINTENANCE_HEADING, L"main-lighting" },
        { BUTTON_ASSIGNBUTTONS, TEXT_ASSIGNBUTTONS_HEADING, L"main-assign" },
    };
    for (const Tab& tab : tabs)
    {
        SCOPED_TRACE(tab.screenshot);
        HWND button = CAppDriver::FindItem(main, tab.button);
        HWND heading = CAppDriver::FindItem(main, tab.heading);
        ASSERT_NE(button, nullptr);
        ASSERT_NE(heading, nullptr);
        ASSERT_TRUE(CAppDriver::Click(button));
        EXPECT_TRUE(CAppDriver::WaitUntil(&CAppDriver::HasVisibleStyle, heading, 5000));
        for (const Tab& other : tabs)
        {
            if (other.button == tab.button)
                continue;
            EXPECT_FALSE(CAppDriver::HasVisibleStyle(CAppDriver::FindItem(main, other.heading))) << other.screenshot;
        }
        ::Sleep(300);
        EXPECT_TRUE(CAppDriver::SaveScreenshot(ScreenshotPath(tab.screenshot)));
    }
    // Nothing was changed: Apply is still unavailable.
    EXPECT_TRUE(IsDisabled(apply));
}

TEST_F(EndToEnd, NoKeypad_ShowsTheNoticeAndOkEndsTheProgramWithZero)
{
    ASSERT_TRUE(m_driver.RunControlTool(L"present off"));
    ASSERT_TRUE(m_driver.Start());
    HWND main = m_driver.WaitForWindow(kMainClass, kStartTimeout);
    ASSERT_NE(main, nullptr);
    HWND notice = m_driver.WaitForWindow(nullptr, 20000, main);
    ASSERT_NE(notice, nullptr);
    ASSERT_NE(CAppDriver::WaitForItem(notice, TEXT_WARNDLG_HEADING, 5000), nullptr);
    // The main window cannot be used while the notice is up.
    EXPECT_FALSE(IsEnabled(main));
    ::Sleep(300);
    EXPECT_TRUE(CAppDriver::SaveScreenshot(ScreenshotPath(L"no-keypad")));
    HWND ok = CAppDriver::FindItem(notice, BUTTON_POPUP_OK);
    ASSERT_NE(ok, nullptr);
    ASSERT_TRUE(CAppDriver::Click(ok));
    EXPECT_EQ(m_driver.WaitForExit(30000), 0u);
}

TEST_F(EndToEnd, SecondStart_EndsWithinTwoSecondsAndBringsTheFirstForward)
{
    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_NE(CAppDriver::WaitForItem(main, BUTTON_APPLY, 10000), nullptr);
    // Something else in front first.
    HWND other = ::CreateWindowExW(0, L"STATIC", L"in front", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
        nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    ::SetForegroundWindow(other);

    DWORD elapsed = 0;
    EXPECT_NE(m_driver.RunSecondCopy(10000, elapsed), STILL_ACTIVE);
    EXPECT_LT(elapsed, 2000u);
    EXPECT_TRUE(CAppDriver::WaitUntil([](HWND wnd) { return ::GetForegroundWindow() == wnd; }, main, 3000));
    EXPECT_TRUE(m_driver.IsRunning());
    ::DestroyWindow(other);
}

TEST_F(EndToEnd, TrayProgram_RunsAfterStart)
{
    ASSERT_FALSE(IsTrayRunning());
    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(CAppDriver::WaitUntil([](HWND) { return IsTrayRunning(); }, main, 10000));
}

TEST_F(EndToEnd, Exit_EndsTheProgram)
{
    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND exitButton = CAppDriver::WaitForItem(main, BUTTON_EXIT, 10000);
    ASSERT_NE(exitButton, nullptr);
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsDisabled, CAppDriver::FindItem(main, BUTTON_APPLY), 10000));
    ASSERT_TRUE(CAppDriver::Click(exitButton));
    EXPECT_TRUE(CAppDriver::WaitUntil(&IsGone, main, 15000));
    EXPECT_NE(m_driver.WaitForExit(30000), STILL_ACTIVE);
}

TEST_F(EndToEnd, NewMacroWithACommand_ShowsItsEventsAndApplyTakesIt)
{
    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND apply = CAppDriver::WaitForItem(main, BUTTON_APPLY, 10000);
    ASSERT_TRUE(apply && CAppDriver::WaitUntil(&IsDisabled, apply, 10000));
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_MANAGEMACROS)));
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_MACRO_CREATE)));
    HWND popup = m_driver.WaitForWindow(nullptr, 10000, main);
    ASSERT_NE(popup, nullptr);
    HWND name = CAppDriver::WaitForItem(popup, EDITCTRL_POPUP_NAMEENTRY, 5000);
    ASSERT_NE(name, nullptr);
    ASSERT_TRUE(CAppDriver::Click(name));
    for (WORD key : { static_cast<WORD>('T'), static_cast<WORD>('E'), static_cast<WORD>('S'), static_cast<WORD>('T') })
        CAppDriver::TapKey(key);
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(popup, BUTTON_POPUP_OK)));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsGone, popup, 5000));

    // The first basic command (four keystrokes) goes into the new, empty macro.
    HWND add = CAppDriver::FindItem(main, BUTTON_ADD_BASIC_MACRO_CMDS);
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsEnabled, add, 5000));
    // The first click on the main window after the name popup has closed is not taken as a
    // command under Wine; the step button (nothing to select yet) takes it.
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_MACRO_RECORD_FORWARD)));
    ASSERT_TRUE(CAppDriver::Click(add));
    HWND editor = CAppDriver::FindItem(main, MACRO_DISPLAY);
    EXPECT_TRUE(CAppDriver::WaitUntil(
        [](HWND wnd) -> bool { return ::SendMessageW(wnd, LVM_GETITEMCOUNT, 0, 0) == 4; }, editor, 5000));
    ::Sleep(300);
    EXPECT_TRUE(CAppDriver::SaveScreenshot(ScreenshotPath(L"macros-new")));
    ASSERT_TRUE(CAppDriver::Click(apply));
    // The write is taken: nothing is pending any more.
    EXPECT_TRUE(CAppDriver::WaitUntil(&IsDisabled, apply, 10000));
}
}
