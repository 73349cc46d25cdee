// The configuration program run as a user runs it, against the simulated keypad of the
// device service. Every case starts from the same state: the installation's registry key
// with English and a stand-in tray program, the keypad present in its factory state.
#include "CAppDriver.h"
#include "WindowTestSupport.h"

#include <commctrl.h>

#include <gtest/gtest.h>

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
    BUTTON_LIGHTINGMAINTENANCE = 74,
    BUTTON_NEWPROFILE = 75,
    BUTTON_MACRO_CREATE = 79,
    BUTTON_ADD_BASIC_MACRO_CMDS = 87,
    BUTTON_MACRO_RECORD_FORWARD = 91,
    BUTTON_ENABLE_PROFILE_OSD = 98,
    BUTTON_ASSNBUTTON1 = 99,
    TEXT_WARNDLG_HEADING = 129,
    TEXT_ASSIGNBUTTONS_HEADING = 131,
    TEXT_DRIVERVER = 137,
    TEXT_FIRMWAREVER = 138,
    TEXT_MANAGEPROFILES_HEADING = 139,
    TEXT_MANAGEMACROS_HEADING = 142,
    TEXT_LIGHTINGANDMAINTENANCE_HEADING = 151,
    EDITCTRL_POPUP_NAMEENTRY = 159,
    LIST_PROFILELIST = 164,
    MACRO_DISPLAY = 181,
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

struct PanelSearch
{
    DWORD processId;
    std::vector<HWND> panels;
};

BOOL CALLBACK CollectPanel(HWND wnd, LPARAM param)
{
    auto* search = reinterpret_cast<PanelSearch*>(param);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(wnd, &processId);
    wchar_t className[32] = {};
    ::GetClassNameW(wnd, className, 32);
    if (processId == search->processId && ::IsWindowVisible(wnd) && std::wstring(className) == L"#32770" &&
        ::FindWindowExW(wnd, nullptr, L"SysListView32", nullptr))
        search->panels.push_back(wnd);
    return TRUE;
}

// Waits until the program has that many list panels open; the innermost (the enabled one).
HWND WaitForPanels(DWORD processId, size_t count)
{
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        PanelSearch search = { processId, {} };
        ::EnumWindows(&CollectPanel, reinterpret_cast<LPARAM>(&search));
        if (search.panels.size() == count)
        {
            for (HWND panel : search.panels)
            {
                if (::IsWindowEnabled(panel))
                    return panel;
            }
        }
        ::Sleep(50);
    }
    return nullptr;
}

// Clicks a row of a panel's list. The rows are of one height; the list reports how many
// fit into its client area, which gives that height closely enough for the first rows.
bool ClickPanelRow(HWND panel, int row)
{
    HWND list = panel ? ::FindWindowExW(panel, nullptr, L"SysListView32", nullptr) : nullptr;
    RECT client = {};
    if (!list || !::GetClientRect(list, &client))
        return false;
    const LRESULT perPage = ::SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0);
    const LRESULT count = ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    const LRESULT rows = perPage < count || count == 0 ? perPage : count;
    if (rows <= 0 || row >= count)
        return false;
    const int height = (client.bottom - client.top) / static_cast<int>(rows);
    POINT point = { (client.left + client.right) / 2, row * height + height / 2 };
    ::ClientToScreen(list, &point);
    WindowTest::MoveMouseTo(point);
    ::Sleep(150);
    WindowTest::PressLeftButton();
    ::Sleep(40);
    WindowTest::ReleaseLeftButton();
    return true;
}

// The key lines of the keypad's dump, each with the profile and keymap line it falls under.
std::vector<std::string> KeyLines(const std::string& dump)
{
    std::vector<std::string> lines;
    std::string profile;
    std::string keymap;
    size_t start = 0;
    while (start < dump.size())
    {
        size_t end = dump.find('\n', start);
        if (end == std::string::npos)
            end = dump.size();
        std::string line = dump.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("profile ", 0) == 0)
            profile = line;
        else if (line.rfind("  keymap ", 0) == 0)
            keymap = line;
        else if (line.rfind("    key ", 0) == 0)
            lines.push_back(profile + " / " + keymap + " /" + line);
        start = end + 1;
    }
    return lines;
}

// The popup of the program that holds the item (defined with the popups' helpers below).
HWND WaitForPopupWith(DWORD processId, int itemId);

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

    // Types the name into the name popup the last click opened and closes it with OK.
    bool EnterNameInPopup(const std::wstring& name)
    {
        HWND popup = WaitForPopupWith(m_driver.GetProcessId(), EDITCTRL_POPUP_NAMEENTRY);
        return popup && CAppDriver::Click(CAppDriver::FindItem(popup, EDITCTRL_POPUP_NAMEENTRY)) &&
               CAppDriver::TypeText(name) && CAppDriver::Click(CAppDriver::FindItem(popup, BUTTON_POPUP_OK)) &&
               CAppDriver::WaitUntil(&IsGone, popup, 5000);
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

// The simulated keypad's profiles by their dump lines: how many there are and how many
// show the profile notice (flag 4).
struct DumpedProfiles
{
    int count = 0;
    int withNotice = 0;
};

DumpedProfiles ReadProfiles(const std::string& dump)
{
    DumpedProfiles found;
    for (size_t at = dump.find("\nprofile {"); at != std::string::npos; at = dump.find("\nprofile {", at + 1))
    {
        ++found.count;
        const size_t flags = dump.find("flags 0x", at);
        if (flags != std::string::npos && (std::stoul(dump.substr(flags + 8, 4), nullptr, 16) & 4) != 0)
            ++found.withNotice;
    }
    return found;
}

TEST_F(EndToEnd, ProfilesPage_TheNoticeOptionAloneIsWrittenAndANewProfileIsListed)
{
    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND apply = CAppDriver::WaitForItem(main, BUTTON_APPLY, 10000);
    ASSERT_NE(apply, nullptr);
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsDisabled, apply, 10000));
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_MANAGEPROFILES)));
    HWND list = CAppDriver::WaitForItem(main, LIST_PROFILELIST, 5000);
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(CAppDriver::WaitUntil(&CAppDriver::HasVisibleStyle, list, 5000));
    std::string dump;
    ASSERT_TRUE(m_driver.RunControlTool(L"dump", &dump));
    // The factory profiles show no notice: the option starts unticked.
    const DumpedProfiles factory = ReadProfiles(dump);
    ASSERT_GT(factory.count, 0) << dump;
    ASSERT_EQ(factory.withNotice, 0) << dump;

    // The notice option alone is a change: Apply offers it and writes it to the keypad's
    // profiles.
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_ENABLE_PROFILE_OSD)));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsEnabled, apply, 5000));
    ASSERT_TRUE(CAppDriver::Click(apply));
    DumpedProfiles noticed;
    for (int attempt = 0; attempt < 100 && noticed.withNotice < factory.count; ++attempt, ::Sleep(200))
    {
        dump.clear();
        ASSERT_TRUE(m_driver.RunControlTool(L"dump", &dump));
        noticed = ReadProfiles(dump);
    }
    EXPECT_EQ(noticed.withNotice, factory.count) << dump;

    const LRESULT rows = ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_NEWPROFILE)));
    ASSERT_TRUE(EnterNameInPopup(L"TEST"));
    EXPECT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), rows + 1);
    EXPECT_TRUE(CAppDriver::WaitUntil(&IsEnabled, apply, 5000));
    ::Sleep(300);
    EXPECT_TRUE(CAppDriver::SaveScreenshot(ScreenshotPath(L"profiles-new")));
}
}

TEST_F(EndToEnd, AssignmentMenu_MouseFunctionOnTheFirstButtonReachesTheKeypadAfterApply)
{
    std::string before;
    ASSERT_TRUE(m_driver.RunControlTool(L"dump", &before));
    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND apply = CAppDriver::WaitForItem(main, BUTTON_APPLY, 10000);
    ASSERT_NE(apply, nullptr);
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsDisabled, apply, 10000));
    HWND first = CAppDriver::WaitForItem(main, BUTTON_ASSNBUTTON1, 10000);
    ASSERT_NE(first, nullptr);
    RECT box = {};
    ::GetWindowRect(first, &box);
    WindowTest::MoveMouseTo(POINT{ (box.left + box.right) / 2, box.top - 30 });
    ::Sleep(150);
    ASSERT_TRUE(CAppDriver::Click(first));
    // "More", then "Mouse button", then "Click".
    ASSERT_TRUE(ClickPanelRow(WaitForPanels(m_driver.GetProcessId(), 1), 3));
    ASSERT_TRUE(ClickPanelRow(WaitForPanels(m_driver.GetProcessId(), 2), 0));
    ::Sleep(300);
    EXPECT_TRUE(CAppDriver::SaveScreenshot(ScreenshotPath(L"assign-mouse-menu")));
    ASSERT_TRUE(ClickPanelRow(WaitForPanels(m_driver.GetProcessId(), 3), 0));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsEnabled, apply, 10000));
    ::Sleep(300);
    EXPECT_TRUE(CAppDriver::SaveScreenshot(ScreenshotPath(L"assign-click-chosen")));
    ASSERT_TRUE(CAppDriver::Click(apply));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsDisabled, apply, 30000));

    std::string after;
    ASSERT_TRUE(m_driver.RunControlTool(L"dump", &after));
    const std::vector<std::string> old = KeyLines(before);
    const std::vector<std::string> now = KeyLines(after);
    ASSERT_EQ(old.size(), now.size());
    std::vector<std::string> changed;
    for (size_t index = 0; index < now.size(); ++index)
    {
        if (now[index] != old[index])
            changed.push_back(now[index]);
    }
    // Exactly one key changed: the first button's key (Tab, code 0x0F) of the active
    // profile's first keymap is a click (record type 1, value 1) now.
    ASSERT_EQ(changed.size(), 1u) << after;
    EXPECT_EQ(changed[0].find("profile "), 0u) << changed[0];
    EXPECT_NE(changed[0].find("(active) /   keymap "), std::string::npos) << changed[0];
    const char clickOnTab[] = "\"Keymap 1\" (active) /    key code 0x0000F type 1 data 01 00 00 00 ";
    EXPECT_NE(changed[0].find(clickOnTab), std::string::npos) << changed[0];
}

TEST_F(EndToEnd, NewMacroWithACommand_ShowsItsEventsAndApplyTakesIt)
{
    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND apply = CAppDriver::WaitForItem(main, BUTTON_APPLY, 10000);
    ASSERT_TRUE(apply && CAppDriver::WaitUntil(&IsDisabled, apply, 10000));
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_MANAGEMACROS)));
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_MACRO_CREATE)));
    ASSERT_TRUE(EnterNameInPopup(L"TEST"));

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

namespace
{
enum
{
    BUTTON_KEYMAP_2 = 59,
    BUTTON_IMPORTPROFILE = 77,
    BUTTON_MACRO_PLAY_MULTIPLE = 93,
    BUTTON_ASSNBUTTON2 = 100,
    EDITCTRL_POPUP_NUMENTRY = 160,
    EDITCTRL_POPUP_SINGLEKEYENTRY = 161,
};

struct PopupSearch
{
    DWORD processId;
    int itemId;
    HWND found;
};

BOOL CALLBACK MatchPopup(HWND wnd, LPARAM param)
{
    auto* search = reinterpret_cast<PopupSearch*>(param);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(wnd, &processId);
    if (processId != search->processId || !::IsWindowVisible(wnd) || !CAppDriver::FindItem(wnd, search->itemId))
        return TRUE;
    search->found = wnd;
    return FALSE;
}

// The program's visible top-level window that holds the item: the popup that shows it,
// once it is the active window as a user sees it before clicking into it (Wine takes a
// click on a window that is not yet active as its activation and drops the press). A popup
// that is not active after 3 s is returned as it is.
HWND WaitForPopupWith(DWORD processId, int itemId)
{
    for (int attempt = 0; attempt < 200; ++attempt, ::Sleep(50))
    {
        PopupSearch search = { processId, itemId, nullptr };
        ::EnumWindows(&MatchPopup, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            continue;
        CAppDriver::WaitUntil([](HWND wnd) { return ::GetForegroundWindow() == wnd; }, search.found, 3000);
        return search.found;
    }
    return nullptr;
}

// Each profile's keys and buttons in the dump, one line per record with the name of its
// keymap ("\"Keymap 2\" key code 0x00010 type 5 data ..."): no ids, no active marks.
std::vector<std::vector<std::string>> RecordsByProfile(const std::string& dump)
{
    std::vector<std::vector<std::string>> profiles;
    std::string keymap;
    size_t start = 0;
    while (start < dump.size())
    {
        size_t end = dump.find('\n', start);
        if (end == std::string::npos)
            end = dump.size();
        std::string line = dump.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        start = end + 1;
        if (line.rfind("profile ", 0) == 0)
            profiles.emplace_back();
        else if (line.rfind("  keymap ", 0) == 0 && line.find('"') != std::string::npos)
            keymap = line.substr(line.find('"'), line.find('"', line.find('"') + 1) - line.find('"') + 1);
        else if (!profiles.empty() && (line.rfind("    key ", 0) == 0 || line.rfind("    button ", 0) == 0))
            profiles.back().push_back(keymap + line.substr(3));
    }
    return profiles;
}

// The records of the first profile that differ between two dumps.
std::vector<std::string> ChangedRecords(const std::string& before, const std::string& after)
{
    const auto old = RecordsByProfile(before);
    const auto now = RecordsByProfile(after);
    std::vector<std::string> changed;
    if (old.empty() || now.empty() || old[0].size() != now[0].size())
        return { "the dumps differ in their records" };
    for (size_t index = 0; index < now[0].size(); ++index)
    {
        if (now[0][index] != old[0][index])
            changed.push_back(now[0][index]);
    }
    return changed;
}

// The 16 bytes of a GUID's text form (upper case, as the dump writes it) as the dump shows
// a record's data: "{0A0B0C0D-..." gives "0D 0C 0B 0A ...".
std::string GuidDataBytes(const std::string& text)
{
    std::string hex;
    for (char c : text)
    {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))
            hex.push_back(c);
    }
    if (hex.size() != 32)
        return std::string();
    // The first three fields are little-endian numbers, the last eight bytes are in order.
    const int order[] = { 3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15 };
    std::string bytes;
    for (int index : order)
        bytes += (bytes.empty() ? "" : " ") + hex.substr(static_cast<size_t>(index) * 2, 2);
    return bytes;
}

// The point of a profile list row's name cell, in the list's client area: the rows start
// under the header.
POINT ProfileRowPoint(HWND list, int row)
{
    RECT header = {};
    HWND headerWnd = ::FindWindowExW(list, nullptr, L"SysHeader32", nullptr);
    if (headerWnd && ::GetWindowRect(headerWnd, &header))
        ::MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&header), 2);
    RECT client = {};
    ::GetClientRect(list, &client);
    constexpr int kRowHeight = 18;
    return POINT{ client.right / 4, header.bottom + row * kRowHeight + kRowHeight / 2 };
}

// Chooses a row of the profile list's context menu, opened on a profile row.
bool ChooseInProfileMenu(DWORD processId, HWND list, int profileRow, int menuRow)
{
    return CAppDriver::RightClick(list, ProfileRowPoint(list, profileRow)) &&
        ClickPanelRow(WaitForPanels(processId, 1), menuRow);
}

BOOL CALLBACK MatchEdit(HWND wnd, LPARAM param)
{
    wchar_t className[16] = {};
    ::GetClassNameW(wnd, className, 16);
    if (::lstrcmpiW(className, L"Edit") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(param) = wnd;
    return FALSE;
}

// The file dialog's name field: the edit inside the name combo box (1148) of the open and
// save dialogs.
HWND WaitForFileNameField(DWORD processId)
{
    constexpr int kFileNameCombo = 1148;
    for (int attempt = 0; attempt < 300; ++attempt, ::Sleep(50))
    {
        HWND dialog = nullptr;
        while ((dialog = ::FindWindowExW(nullptr, dialog, L"#32770", nullptr)) != nullptr)
        {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(dialog, &owner);
            HWND combo = owner == processId && ::IsWindowVisible(dialog) ? ::GetDlgItem(dialog, kFileNameCombo) : nullptr;
            HWND edit = nullptr;
            if (combo)
                ::EnumChildWindows(combo, &MatchEdit, reinterpret_cast<LPARAM>(&edit));
            if (edit)
                return edit;
        }
    }
    return nullptr;
}

// Types a full path into the file dialog's name field in place of what it holds, and
// confirms it with Enter.
bool ChooseFileInDialog(DWORD processId, const std::wstring& path)
{
    HWND field = WaitForFileNameField(processId);
    if (!field || !CAppDriver::Click(field))
        return false;
    CAppDriver::TapKey(VK_HOME);
    CAppDriver::TapKeyCombination({ VK_SHIFT, VK_END });
    if (!CAppDriver::TypeText(path))
        return false;
    for (int attempt = 0; attempt < 100 && CAppDriver::GetText(field) != path; ++attempt)
        ::Sleep(50);
    if (CAppDriver::GetText(field) != path)
        return false;
    CAppDriver::TapKey(VK_RETURN);
    return CAppDriver::WaitUntil(&IsGone, ::GetAncestor(field, GA_ROOT), 10000);
}

// The keypad is written in the background: the control tool's dump once it shows what the
// condition looks for, or the last one read when the time is up.
template <class Condition>
std::string WaitForDump(const CAppDriver& driver, Condition condition)
{
    std::string dump;
    for (int attempt = 0; attempt < 50; ++attempt, ::Sleep(200))
    {
        dump.clear();
        if (driver.RunControlTool(L"dump", &dump) && condition(dump))
            break;
    }
    return dump;
}

// The keypad's dump once it holds the text: the write goes on for a while after Apply is
// unavailable again.
std::string DumpOnceItHolds(const CAppDriver& driver, const std::string& text)
{
    return WaitForDump(driver, [&](const std::string& dump) { return dump.find(text) != std::string::npos; });
}

// Opens a drop-down of the assignment page and chooses the row of its first menu.
bool ChooseInAssignmentMenu(DWORD processId, HWND dropdown, int row)
{
    RECT box = {};
    if (!dropdown || !::GetWindowRect(dropdown, &box))
        return false;
    WindowTest::MoveMouseTo(POINT{ (box.left + box.right) / 2, box.top - 30 });
    ::Sleep(150);
    return CAppDriver::Click(dropdown) && ClickPanelRow(WaitForPanels(processId, 1), row);
}
}

TEST_F(EndToEnd, SingleKeyPopup_ACombinationTypedReachesTheKeyOfTheSecondKeymapAfterApply)
{
    std::string before;
    ASSERT_TRUE(m_driver.RunControlTool(L"dump", &before));
    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND apply = CAppDriver::WaitForItem(main, BUTTON_APPLY, 10000);
    ASSERT_TRUE(apply && CAppDriver::WaitUntil(&IsDisabled, apply, 10000));
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::WaitForItem(main, BUTTON_KEYMAP_2, 10000)));
    ASSERT_TRUE(ChooseInAssignmentMenu(m_driver.GetProcessId(), CAppDriver::FindItem(main, BUTTON_ASSNBUTTON2), 0));

    HWND popup = WaitForPopupWith(m_driver.GetProcessId(), EDITCTRL_POPUP_SINGLEKEYENTRY);
    ASSERT_NE(popup, nullptr);
    HWND ok = CAppDriver::FindItem(popup, BUTTON_POPUP_OK);
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(popup, EDITCTRL_POPUP_SINGLEKEYENTRY)));
    EXPECT_TRUE(IsDisabled(ok));
    CAppDriver::TapKeyCombination({ VK_CONTROL, VK_SHIFT, 'A' });
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsEnabled, ok, 5000));
    HWND capture = CAppDriver::FindItem(popup, EDITCTRL_POPUP_SINGLEKEYENTRY);
    const bool shown = CAppDriver::WaitUntil([](HWND wnd) { return CAppDriver::GetText(wnd) == L"A"; }, capture, 5000);
    const std::wstring text = CAppDriver::GetText(capture);
    EXPECT_TRUE(shown) << std::string(text.begin(), text.end());
    ::Sleep(300);
    EXPECT_TRUE(CAppDriver::SaveScreenshot(ScreenshotPath(L"assign-single-key")));
    ASSERT_TRUE(CAppDriver::Click(ok));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsGone, popup, 5000));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsEnabled, apply, 5000));
    ASSERT_TRUE(CAppDriver::Click(apply));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsDisabled, apply, 30000));

    const std::string after = DumpOnceItHolds(m_driver, "type 5 data 1E 00 00 00 00 0C");
    // The second button's key (Q, code 0x10) of the second keymap only: A (scan code 0x1E)
    // with Ctrl and Shift (flags 4 and 8, the device's modifier byte 0x0C).
    const std::vector<std::string> changed = ChangedRecords(before, after);
    ASSERT_EQ(changed.size(), 1u) << after;
    EXPECT_EQ(changed[0].find("\"Keymap 2\" key code 0x00010 type 5 data 1E 00 00 00 00 0C 00 00 "), 0u) << changed[0];
}

TEST_F(EndToEnd, MacroPopup_PlayMultipleWithACountReachesTheFirstKeyAfterApply)
{
    std::string before;
    ASSERT_TRUE(m_driver.RunControlTool(L"dump", &before));
    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND apply = CAppDriver::WaitForItem(main, BUTTON_APPLY, 10000);
    ASSERT_TRUE(apply && CAppDriver::WaitUntil(&IsDisabled, apply, 10000));
    // A macro to choose: the assignment menu offers none without one.
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_MANAGEMACROS)));
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_MACRO_CREATE)));
    ASSERT_TRUE(EnterNameInPopup(L"Burst"));

    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_ASSIGNBUTTONS)));
    ASSERT_TRUE(ChooseInAssignmentMenu(m_driver.GetProcessId(), CAppDriver::FindItem(main, BUTTON_ASSNBUTTON1), 1));
    HWND popup = WaitForPopupWith(m_driver.GetProcessId(), BUTTON_MACRO_PLAY_MULTIPLE);
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(popup, BUTTON_MACRO_PLAY_MULTIPLE)));
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(popup, BUTTON_POPUP_OK)));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsGone, popup, 5000));
    popup = WaitForPopupWith(m_driver.GetProcessId(), EDITCTRL_POPUP_NUMENTRY);
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(popup, EDITCTRL_POPUP_NUMENTRY)));
    ASSERT_TRUE(CAppDriver::TypeText(L"12"));
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(popup, BUTTON_POPUP_OK)));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsGone, popup, 5000));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsEnabled, apply, 5000));
    ASSERT_TRUE(CAppDriver::Click(apply));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsDisabled, apply, 30000));

    const std::string after = DumpOnceItHolds(m_driver, "type 8 data");
    const size_t macro = after.find("\nmacro {");
    ASSERT_NE(macro, std::string::npos) << after;
    EXPECT_EQ(after.find(" \"Burst\"", macro), macro + 45) << after;
    // The first button's key (Tab, code 0x0F) of the first keymap plays the macro by its
    // id, multiple times (play mode 2), 12 times.
    const std::string reference = "\"Keymap 1\" key code 0x0000F type 8 data " +
        GuidDataBytes(after.substr(macro + 7, 38)) + " 02 0C 00 00";
    const std::vector<std::string> changed = ChangedRecords(before, after);
    ASSERT_EQ(changed.size(), 1u) << after;
    EXPECT_EQ(changed[0], reference);
}

TEST_F(EndToEnd, ProfileMenu_CopyOfANewProfileIsListedAsItsSecond)
{
    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND apply = CAppDriver::WaitForItem(main, BUTTON_APPLY, 10000);
    ASSERT_TRUE(apply && CAppDriver::WaitUntil(&IsDisabled, apply, 10000));
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_MANAGEPROFILES)));
    HWND list = CAppDriver::WaitForItem(main, LIST_PROFILELIST, 5000);
    ASSERT_TRUE(list && CAppDriver::WaitUntil(&CAppDriver::HasVisibleStyle, list, 5000));
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_NEWPROFILE)));
    ASSERT_TRUE(EnterNameInPopup(L"Test"));
    ASSERT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
    constexpr int kNameColumn = 2;
    ASSERT_EQ(m_driver.GetListItemText(list, 1, kNameColumn), L"Test");

    // The context menu of the new row: "Copy" is its third entry.
    ASSERT_TRUE(ChooseInProfileMenu(m_driver.GetProcessId(), list, 1, 2));
    ASSERT_TRUE(CAppDriver::WaitUntil([](HWND wnd) { return ::SendMessageW(wnd, LVM_GETITEMCOUNT, 0, 0) == 3; },
        list, 5000));
    EXPECT_EQ(m_driver.GetListItemText(list, 2, kNameColumn), L"Test(2)");
    EXPECT_EQ(m_driver.GetListItemText(list, 1, kNameColumn), L"Test");
    ::Sleep(300);
    EXPECT_TRUE(CAppDriver::SaveScreenshot(ScreenshotPath(L"profiles-copy")));
}

TEST_F(EndToEnd, ProfileFile_ExportedAndImportedBackHoldsTheSameAssignments)
{
    const std::wstring file = std::wstring(kTrayFolder) + L"roundtrip.kvp";
    ::DeleteFileW(file.c_str());
    std::string before;
    ASSERT_TRUE(m_driver.RunControlTool(L"dump", &before));
    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND apply = CAppDriver::WaitForItem(main, BUTTON_APPLY, 10000);
    ASSERT_TRUE(apply && CAppDriver::WaitUntil(&IsDisabled, apply, 10000));
    // An assignment of its own, so that the file holds more than the defaults: the first
    // button off ("More", "Button off").
    const DWORD processId = m_driver.GetProcessId();
    ASSERT_TRUE(ChooseInAssignmentMenu(processId, CAppDriver::WaitForItem(main, BUTTON_ASSNBUTTON1, 10000), 3));
    ASSERT_TRUE(ClickPanelRow(WaitForPanels(processId, 2), 4));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsEnabled, apply, 10000));
    ASSERT_TRUE(CAppDriver::Click(apply));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsDisabled, apply, 30000));

    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_MANAGEPROFILES)));
    HWND list = CAppDriver::WaitForItem(main, LIST_PROFILELIST, 5000);
    ASSERT_TRUE(list && CAppDriver::WaitUntil(&CAppDriver::HasVisibleStyle, list, 5000));
    // "Export" is the tenth entry of the row's context menu.
    ASSERT_TRUE(ChooseInProfileMenu(processId, list, 0, 9));
    ASSERT_TRUE(ChooseFileInDialog(processId, file));
    for (int attempt = 0; attempt < 100 && ::GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES; ++attempt)
        ::Sleep(100);
    ASSERT_NE(::GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_IMPORTPROFILE)));
    ASSERT_TRUE(ChooseFileInDialog(processId, file));
    ASSERT_TRUE(CAppDriver::WaitUntil([](HWND wnd) { return ::SendMessageW(wnd, LVM_GETITEMCOUNT, 0, 0) == 2; },
        list, 5000));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsEnabled, apply, 5000));
    ::Sleep(300);
    EXPECT_TRUE(CAppDriver::SaveScreenshot(ScreenshotPath(L"profiles-imported")));
    ASSERT_TRUE(CAppDriver::Click(apply));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsDisabled, apply, 30000));

    const std::string after = DumpOnceItHolds(m_driver, "\"Profile 1(2)\"");
    const auto profiles = RecordsByProfile(after);
    ASSERT_EQ(profiles.size(), 2u) << after;
    // The import brings the name of a profile that is still there: it is named as a copy.
    EXPECT_NE(after.find("} \"Profile 1\" (active)"), std::string::npos) << after;
    EXPECT_NE(after.find("} \"Profile 1(2)\""), std::string::npos) << after;
    const std::vector<std::string> changed = ChangedRecords(before, after);
    ASSERT_EQ(changed.size(), 1u) << after;
    EXPECT_EQ(changed[0].find("\"Keymap 1\" key code 0x0000F type 1 data 00 00 00 00 "), 0u) << changed[0];
    EXPECT_EQ(profiles[1], profiles[0]) << after;
    ::DeleteFileW(file.c_str());
}

namespace
{
enum
{
    BUTTON_HELP = 53,
};

// The manual's document type, registered with the shell stand-in as its program, the way an
// installed browser registers itself; the registration ends with the object, and a type
// that was registered before gets its program back. It goes into the classes root, which
// the shell reads on every system (Wine's shell does not see the current user's classes).
// The stand-in writes the path it was given to the report file.
class ManualProgramRegistration
{
    static constexpr const wchar_t* kTypeKey = L".html";
    static constexpr const wchar_t* kProgramKey = L"VelmoraEndToEnd.Page";
    bool m_typeKeyCreated = false;
    bool m_hadType = false;
    std::wstring m_oldType;

public:
    ManualProgramRegistration() = default;
    ManualProgramRegistration(const ManualProgramRegistration&) = delete;
    ManualProgramRegistration& operator=(const ManualProgramRegistration&) = delete;

    bool Register(const std::wstring& program, const std::wstring& report)
    {
        const std::wstring command = L"\"" + program + L"\" \"" + report + L"\" \"%1\"";
        return RememberType() && SetDefault(std::wstring(kProgramKey) + L"\\shell\\open\\command", command) &&
            SetDefault(kTypeKey, kProgramKey);
    }

    ~ManualProgramRegistration()
    {
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgramKey);
        if (m_typeKeyCreated)
            ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kTypeKey);
        else if (m_hadType)
            SetDefault(kTypeKey, m_oldType);
    }

private:
    // Whether the type was registered already, and which program it named, to put it back.
    bool RememberType()
    {
        HKEY key = nullptr;
        DWORD disposition = 0;
        if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, kTypeKey, 0, nullptr, 0, KEY_READ, nullptr, &key, &disposition) !=
            ERROR_SUCCESS)
            return false;
        wchar_t value[256] = {};
        DWORD bytes = sizeof value - sizeof(wchar_t);
        DWORD type = 0;
        m_hadType = ::RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes) ==
            ERROR_SUCCESS && type == REG_SZ;
        m_oldType = m_hadType ? value : L"";
        ::RegCloseKey(key);
        // A type that names the stand-in is left from a run that did not end: it goes too.
        m_typeKeyCreated = disposition == REG_CREATED_NEW_KEY || m_oldType == kProgramKey;
        return true;
    }

    static bool SetDefault(const std::wstring& path, const std::wstring& value)
    {
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return false;
        const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        const bool set = ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
            bytes) == ERROR_SUCCESS;
        ::RegCloseKey(key);
        return set;
    }
};

std::wstring FullPath(const std::wstring& path)
{
    wchar_t full[MAX_PATH] = {};
    const DWORD length = ::GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::wstring(full, length) : path;
}

// The report's text once the stand-in has written it; empty when none came in time.
std::wstring WaitForReport(const std::wstring& report, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs)
    {
        HANDLE file = ::CreateFileW(report.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
        {
            wchar_t text[MAX_PATH * 2] = {};
            DWORD read = 0;
            const BOOL ok = ::ReadFile(file, text, sizeof text - sizeof(wchar_t), &read, nullptr);
            ::CloseHandle(file);
            if (ok)
                return std::wstring(text, read / sizeof(wchar_t));
        }
        ::Sleep(100);
    }
    return std::wstring();
}

bool SamePath(const std::wstring& left, const std::wstring& right)
{
    return ::lstrcmpiW(FullPath(left).c_str(), FullPath(right).c_str()) == 0;
}
}

TEST_F(EndToEnd, HelpButton_OpensTheManualWithItsRegisteredProgram)
{
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(::GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring report = std::wstring(temp) + L"VelmoraManualOpened.txt";
    ::DeleteFileW(report.c_str());
    ManualProgramRegistration registration;
    ASSERT_TRUE(registration.Register(BuildPath(VELMORA_SHELL_STAND_IN), report));

    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND apply = CAppDriver::WaitForItem(main, BUTTON_APPLY, 10000);
    ASSERT_TRUE(apply && CAppDriver::WaitUntil(&IsDisabled, apply, 10000));
    // The lighting page has a help button of its own; the main window's is the one shown.
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindVisibleItem(main, BUTTON_HELP)));
    const std::wstring program = BuildPath(VELMORA_APP_PROGRAM);
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\') + 1);
    const std::wstring opened = WaitForReport(report, 15000);
    EXPECT_TRUE(SamePath(opened, folder + L"Manuals\\index.html")) << std::string(opened.begin(), opened.end());
    ::DeleteFileW(report.c_str());

    // F1 opens the manual's pages of this program.
    CAppDriver::TapKey(VK_F1);
    const std::wstring pages = WaitForReport(report, 15000);
    EXPECT_TRUE(SamePath(pages, folder + L"Manuals\\Velmora\\index.html")) << std::string(pages.begin(), pages.end());
    ::DeleteFileW(report.c_str());
}

namespace
{
enum
{
    BUTTON_MACRO_RECORD = 80,
    BUTTON_MACRO_RECORD_STOP = 81,
};

LRESULT RowCount(HWND list)
{
    DWORD_PTR count = 0;
    return ::SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count) ? count : -1;
}

// The dump's lines of the macro of that name: its head line, then one line per event.
std::vector<std::string> MacroLines(const std::string& dump, const std::string& name)
{
    std::vector<std::string> lines;
    bool inMacro = false;
    size_t start = 0;
    while (start < dump.size())
    {
        size_t end = dump.find('\n', start);
        if (end == std::string::npos)
            end = dump.size();
        std::string line = dump.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("macro ", 0) == 0)
            inMacro = line.find(" \"" + name + "\", ") != std::string::npos;
        else if (line.rfind("  ", 0) != 0)
            inMacro = false;
        if (inMacro)
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}
}

TEST_F(EndToEnd, RecordMacro_TypedKeyAndClickAreListedAndApplyWritesThem)
{
    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND apply = CAppDriver::WaitForItem(main, BUTTON_APPLY, 10000);
    ASSERT_TRUE(apply && CAppDriver::WaitUntil(&IsDisabled, apply, 10000));
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_MANAGEMACROS)));
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_MACRO_CREATE)));
    ASSERT_TRUE(EnterNameInPopup(L"rec"));

    HWND record = CAppDriver::FindItem(main, BUTTON_MACRO_RECORD);
    HWND stop = CAppDriver::FindItem(main, BUTTON_MACRO_RECORD_STOP);
    HWND editor = CAppDriver::FindItem(main, MACRO_DISPLAY);
    ASSERT_TRUE(record && stop && editor);
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsEnabled, record, 5000));
    ASSERT_TRUE(CAppDriver::Click(record));
    // Recording: the page's buttons are unavailable, the stop button stays.
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsDisabled, record, 5000));
    EXPECT_TRUE(IsEnabled(stop));
    CAppDriver::TapKey('A');
    ::Sleep(200);
    // A click on the page's heading, which does nothing.
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, TEXT_MANAGEMACROS_HEADING)));
    ::Sleep(200);
    ASSERT_TRUE(CAppDriver::Click(stop));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsEnabled, record, 5000));
    ::Sleep(300);
    EXPECT_TRUE(CAppDriver::SaveScreenshot(ScreenshotPath(L"macros-recorded")));
    EXPECT_EQ(RowCount(editor), 7);
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsEnabled, apply, 5000));
    ASSERT_TRUE(CAppDriver::Click(apply));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsDisabled, apply, 10000));
    const std::string dump =
        WaitForDump(m_driver, [](const std::string& text) { return !MacroLines(text, "rec").empty(); });
    const std::vector<std::string> lines = MacroLines(dump, "rec");
    ASSERT_FALSE(lines.empty()) << dump;
    EXPECT_NE(lines[0].find(", 7 events"), std::string::npos) << lines[0];
    // The key's press and release (make code 0x1E, the release flagged in bit 16), then the
    // left button's press and release; a measured delay before every event but the first.
    const std::vector<std::string> expected = { "type 2 value 0x0000001E", "delay", "type 2 value 0x0001001E",
        "delay", "type 1 value 0x00000001", "delay", "type 1 value 0x00000002" };
    std::vector<std::string> events;
    for (size_t index = 1; index < lines.size(); ++index)
    {
        const std::string event = lines[index].substr(lines[index].find("type "));
        events.push_back(event.rfind("type 3 ", 0) == 0 ? "delay" : event);
    }
    EXPECT_EQ(events, expected) << dump;
}

namespace
{
enum
{
    SLIDER_LED_BRIGHTNESS_STAGE = 156,
    // The lighting page's colour button has no item name; it carries its control id.
    COLOUR_BUTTON = 1000,
};

const wchar_t kPaletteClass[] = L"VelmoraColorPalette";
// The page's LED in the keypad's numbering, which counts from 1: the store's LED 4.
constexpr int kLightingLed = 5;

// The dump's line of that LED of the active profile; empty when there is none.
std::string ActiveLedLine(const std::string& dump, int led)
{
    size_t profile = dump.find("\nprofile {");
    while (profile != std::string::npos)
    {
        const size_t lineEnd = dump.find('\r', profile);
        const bool active = lineEnd != std::string::npos &&
            dump.substr(profile, lineEnd - profile).find("\" (active)") != std::string::npos;
        if (active)
            break;
        profile = dump.find("\nprofile {", profile + 1);
    }
    const std::string head = "\n  led " + std::to_string(led) + " ";
    const size_t at = profile == std::string::npos ? profile : dump.find(head, profile);
    if (at == std::string::npos)
        return std::string();
    const size_t end = dump.find('\r', at + 1);
    return dump.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
}

// Whether the active profile's lighting LED line holds the text.
bool LightingLedShows(const std::string& dump, const char* text)
{
    return ActiveLedLine(dump, kLightingLed).find(text) != std::string::npos;
}

// The palette cell's centre in the palette's client area: a grid of 8 columns and 6 rows
// inside a margin of 4 pixels, over the 25 pixels of the custom button.
POINT PaletteCellCentre(HWND palette, int cell)
{
    RECT client = {};
    ::GetClientRect(palette, &client);
    const int width = client.right - 8;
    const int height = client.bottom - 8 - 24;
    const int column = cell % 8;
    const int row = cell / 8;
    return POINT{ 4 + (2 * column + 1) * width / 16, 4 + (2 * row + 1) * height / 12 };
}
}

TEST_F(EndToEnd, LightingPage_BrightnessEndsAndPickedColourReachTheKeypad)
{
    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND apply = CAppDriver::WaitForItem(main, BUTTON_APPLY, 10000);
    ASSERT_TRUE(apply && CAppDriver::WaitUntil(&IsDisabled, apply, 10000));
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, BUTTON_LIGHTINGMAINTENANCE)));
    HWND thumb = CAppDriver::WaitForItem(main, SLIDER_LED_BRIGHTNESS_STAGE, 5000);
    ASSERT_TRUE(thumb && CAppDriver::WaitUntil([](HWND wnd) { return ::IsWindowVisible(wnd) != FALSE; }, thumb, 5000));
    RECT track = {};
    ASSERT_TRUE(::GetWindowRect(::GetParent(thumb), &track));

    // The thumb dragged by its middle to that point on the screen's x axis.
    const auto dragTo = [&](LONG x) {
        RECT box = {};
        if (!::GetWindowRect(thumb, &box))
            return false;
        const POINT grip = { (box.right - box.left) / 2, (box.bottom - box.top) / 2 };
        return CAppDriver::Drag(thumb, grip, POINT{ x - (box.left + grip.x), 0 });
    };
    // Apply, then the keypad's LED line once the background write shows the text.
    const auto applyAndRead = [&](const char* text) {
        const bool applied = CAppDriver::WaitUntil(&IsEnabled, apply, 5000) && CAppDriver::Click(apply) &&
            CAppDriver::WaitUntil(&IsDisabled, apply, 10000);
        EXPECT_TRUE(applied) << text;
        const std::string dump =
            WaitForDump(m_driver, [&](const std::string& read) { return LightingLedShows(read, text); });
        return ActiveLedLine(dump, kLightingLed);
    };

    // 40 pixels past the left end, then Apply.
    ASSERT_TRUE(dragTo(track.left - 40));
    const std::string left = applyAndRead(" brightness 10 ");
    EXPECT_NE(left.find(" brightness 10 "), std::string::npos) << left;

    // 40 pixels past the right end, and the palette's orange (red 0xFF, green 0x80, blue 0)
    // picked with a click on its cell, then Apply.
    ASSERT_TRUE(dragTo(track.right + 40));
    ASSERT_TRUE(CAppDriver::Click(CAppDriver::FindItem(main, COLOUR_BUTTON)));
    HWND palette = m_driver.WaitForWindow(kPaletteClass, 5000);
    ASSERT_NE(palette, nullptr);
    ::Sleep(300);
    EXPECT_TRUE(CAppDriver::SaveScreenshot(ScreenshotPath(L"lighting-palette")));
    ASSERT_TRUE(WindowTest::ClickAt(palette, PaletteCellCentre(palette, 26)));
    ASSERT_TRUE(CAppDriver::WaitUntil(&IsGone, palette, 5000));
    // The keypad keeps the colour as the program's colour value, 0x00BBGGRR.
    const char picked[] = " colour 0x0080FF brightness 100 ";
    const std::string right = applyAndRead(picked);
    EXPECT_NE(right.find(picked), std::string::npos) << right;
}
