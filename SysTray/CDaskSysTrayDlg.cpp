#include "CDaskSysTrayDlg.h"

#include "CAboutDlg.h"
#include "CDelayTimer.h"
#include "CDeviceManager.h"
#include "CLangTable.h"
#include "CPaintDC.h"
#include "CPcManager.h"
#include "ExeFolder.h"
#include "GUIPageLoader.h"
#include "ProfileSwitching.h"
#include "SysTrayResource.h"
#include "TrayNotifications.h"
#include "Vocabulary.h"

#include <shellapi.h>
#include <wtsapi32.h>

namespace
{
// The mouse interface class, whose arrivals and removals name the keypad.
const GUID kMouseInterfaceClass = { 0x378DE44C, 0x56EF, 0x11D1, { 0xBC, 0x8C, 0x00, 0xA0, 0xC9, 0x14, 0x05, 0xDD } };
constexpr int kLaunchApplicationType = 1;
constexpr int kDefaultLanguage = 0;
}

const wchar_t* const CDaskSysTrayDlg::kWindowTitle = L"KavroVelmoraSysTray";

CDaskSysTrayDlg::CDaskSysTrayDlg()
    : CDialog(IDD_DASKSYSTRAY_DIALOG), m_com(COINIT_APARTMENTTHREADED)
{
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    m_bigIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 0, 0,
        LR_DEFAULTSIZE | LR_SHARED));
    m_trayIconImage = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_TRAYICON), IMAGE_ICON, 16, 16,
        LR_SHARED));
}

CDaskSysTrayDlg::~CDaskSysTrayDlg()
{
    ReleaseResources();
    m_trayIcon.Remove();
    g_pLangTable = nullptr;
    g_langTables.clear();
    m_languageItems.DeleteAll();
}

void CDaskSysTrayDlg::OnActiveProfileChanged(const GUID*)
{
    CDeviceManager manager;
    CString active;
    _Profile_Setting_ setting;
    if (manager.GetActiveProfileName(active) && manager.GetProfileSetting(active, setting) &&
        setting.profileNotice == 1)
        ShowNotice(active);
}

void CDaskSysTrayDlg::OnLaunchApplication(int type, const wchar_t* path)
{
    if (type != kLaunchApplicationType || !path || !*path)
        return;
    ::ShellExecuteW(nullptr, L"open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

void CDaskSysTrayDlg::OnRecordingCancelled()
{
    CDeviceManager manager;
    manager.CancelRecording();
    CDelayTimer::Instance().Clear();
}

bool CDaskSysTrayDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_SYSCOMMAND: // bool OnSysCommand(WPARAM command)
        if (OnSysCommand(wParam))
            return true;
        break;
    case WM_PAINT: // bool OnPaint()
        if (OnPaint())
            return true;
        break;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(m_bigIcon);
        return true;
    case WM_DEVICECHANGE: // void OnDeviceChange(WPARAM event, LPARAM data)
        OnDeviceChange(wParam, lParam);
        result = TRUE;
        return true;
    case WM_WTSSESSION_CHANGE: // void OnSessionChange(WPARAM code)
        OnSessionChange(wParam);
        return true;
    case CTrayNotifyIcon::kCallbackMessage: // void OnTrayNotification(WPARAM iconId, LPARAM mouseMessage)
        OnTrayNotification(wParam, lParam);
        result = 1;
        return true;
    case WM_COMMAND: // bool OnCommand(UINT id)
        // Nothing may touch the object after the close command: it is gone.
        if (lParam == 0 && OnCommand(LOWORD(wParam)))
            return true;
        break;
    case WM_TIMER: // void OnTimer(UINT_PTR id), then the default handling
        OnTimer(wParam);
        break;
    case WM_CLOSE: // void ShutDown()
        ShutDown();
        return true;
    default:
        break;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

bool CDaskSysTrayDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    wchar_t about[128] = {};
    HMENU systemMenu = ::GetSystemMenu(m_hWnd, FALSE);
    if (systemMenu && ::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUTBOX, about, _countof(about)) > 0)
    {
        ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
    }
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_bigIcon));
    SetWindowText(kWindowTitle);
    LoadLanguage();
    const CString tooltip = GetTrayText(L"$Kavro^", L"Kavro Velmora");
    if (!m_trayIcon.Create(this, tooltip, m_trayIconImage))
        return true;
    m_notice = std::make_unique<COnScreenNotice>();
    if (FAILED(m_notice->Create()))
        m_notice.reset();
    StartPolling();
    if (!m_deviceNotification)
    {
        DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
        filter.dbcc_size = sizeof(filter);
        filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        filter.dbcc_classguid = kMouseInterfaceClass;
        m_deviceNotification = ::RegisterDeviceNotificationW(m_hWnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    }
    m_sessionNotification = ::WTSRegisterSessionNotification(m_hWnd, NOTIFY_FOR_THIS_SESSION) != FALSE;
    Connect();
    return true;
}

void CDaskSysTrayDlg::PostNcDestroy()
{
    delete this;
}

bool CDaskSysTrayDlg::OnSysCommand(WPARAM command)
{
    if ((command & 0xFFF0) != IDM_ABOUTBOX)
        return false;
    CAboutDlg about(this);
    about.DoModal();
    return true;
}

// Standard dialog-application painting: the icon centred while minimised.
bool CDaskSysTrayDlg::OnPaint()
{
    if (!::IsIconic(m_hWnd))
        return false;
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    RECT client;
    GetClientRect(&client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_bigIcon);
    return true;
}

void CDaskSysTrayDlg::OnDeviceChange(WPARAM event, LPARAM data)
{
    switch (ClassifyDeviceChange(event, reinterpret_cast<const DEV_BROADCAST_HDR*>(data)))
    {
    case TrayDeviceAction::kCheckPresence:
        if (CDeviceManager().IsDevicePresent())
            return;
        OnKeypadGone();
        return;
    case TrayDeviceAction::kKeypadRemoved:
        OnKeypadGone();
        return;
    case TrayDeviceAction::kKeypadArrived:
        StartPolling();
        Connect();
        return;
    case TrayDeviceAction::kNone:
        return;
    }
}

// The keypad is gone: stop the poll, switch the recording LED off, drop the connections and
// end a configuration program left without its keypad.
void CDaskSysTrayDlg::OnKeypadGone()
{
    StopPolling();
    {
        CDeviceManager manager;
        manager.ResetRecordingLed();
    }
    CDelayTimer::Instance().Clear();
    Disconnect();
    CPcManager::TerminateConfigProgram();
}

void CDaskSysTrayDlg::OnSessionChange(WPARAM code)
{
    switch (ClassifySessionChange(code))
    {
    case TraySessionAction::kResume:
        StartPolling();
        Connect();
        return;
    case TraySessionAction::kSuspend:
        StopPolling();
        Disconnect();
        OnRecordingCancelled();
        return;
    case TraySessionAction::kNone:
        return;
    }
}

void CDaskSysTrayDlg::OnTrayNotification(WPARAM iconId, LPARAM mouseMessage)
{
    switch (static_cast<UINT>(mouseMessage))
    {
    case WM_LBUTTONDBLCLK:
        KillTimer(kClickTimer);
        m_clickTimer = 0;
        OpenConfigProgram();
        return;
    case WM_RBUTTONUP:
    {
        RebuildMenu();
        m_trayIcon.OnTrayNotification(iconId, mouseMessage);
        return;
    }
    case WM_LBUTTONDOWN:
        ::GetCursorPos(&m_clickPoint);
        m_clickTimer = SetTimer(kClickTimer, ::GetDoubleClickTime()) ? kClickTimer : 0;
        m_trayIcon.OnTrayNotification(iconId, mouseMessage);
        return;
    default:
        m_trayIcon.OnTrayNotification(iconId, mouseMessage);
        return;
    }
}

bool CDaskSysTrayDlg::OnCommand(UINT id)
{
    if (id == m_closeCommand)
    {
        ShutDown();
        return true;
    }
    if (id >= kFirstProfileCommand)
        ChooseProfile(static_cast<int>(id - kFirstProfileCommand));
    if (id == ID_LOAD_VELMORA)
    {
        OpenConfigProgram();
        return true;
    }
    return id >= kFirstProfileCommand;
}

void CDaskSysTrayDlg::OnTimer(UINT_PTR id)
{
    if (id == kPollTimer)
    {
        PollForeground();
        return;
    }
    if (id == kClickTimer && m_clickTimer == kClickTimer)
    {
        KillTimer(kClickTimer);
        m_clickTimer = 0;
        RebuildMenu();
        m_trayIcon.OnTrayNotification(CTrayNotifyIcon::kIconId, WM_RBUTTONUP, m_clickPoint);
    }
}

void CDaskSysTrayDlg::LoadLanguage()
{
    g_exeFolder = GetModuleFolder();
    CString language;
    const int languageId = CPcManager::ReadLanguageSetting(language) ? GetLanguageIdByName(language) : kDefaultLanguage;
    InitVocabularyTables();
    if (!LoadGUIPage(m_languageItems, L"Language.xml", nullptr))
        return;
    const auto table = g_langTables.find(languageId);
    g_pLangTable = table != g_langTables.end() ? table->second : nullptr;
}

void CDaskSysTrayDlg::StartPolling()
{
    SetTimer(kPollTimer, kPollMs);
}

void CDaskSysTrayDlg::StopPolling()
{
    KillTimer(kPollTimer);
}

void CDaskSysTrayDlg::Connect()
{
    m_connections.Connect(this, this);
}

void CDaskSysTrayDlg::Disconnect()
{
    m_connections.Disconnect();
}

void CDaskSysTrayDlg::PollForeground()
{
    {
        CDeviceManager presence;
        if (!presence.IsDevicePresent())
            return;
    }
    // The keypad may have come before the service found it: the connections follow it here.
    if (!m_connections.IsConnected())
        Connect();
    CDeviceManager manager;
    CString active;
    if (!manager.GetProfileSettings(m_profileSettings) || !manager.GetActiveProfileName(active))
        return;
    CString foreground;
    if (!CPcManager::GetForegroundExeName(foreground))
        return;
    const ForegroundPick pick = PickLinkedProfile(m_profileSettings, foreground, active);
    if (!pick.activate)
        return;
    const _Profile_Setting_& setting = m_profileSettings[static_cast<size_t>(pick.index)];
    if (manager.ActivateProfile(setting.name) && setting.profileNotice)
        ShowNotice(setting.name);
}

void CDaskSysTrayDlg::ChooseProfile(int index)
{
    if (index < 0 || index >= m_profileNames.GetSize())
        return;
    const CString name = m_profileNames[index];
    CDeviceManager manager;
    _Profile_Setting_ chosen;
    const bool noticeWanted = manager.GetProfileSetting(name, chosen) && chosen.profileNotice;
    if (manager.ActivateProfile(name) && noticeWanted)
        ShowNotice(name);
}

void CDaskSysTrayDlg::OpenConfigProgram()
{
    if (!CPcManager::IsConfigProgramRunning())
        CPcManager::StartConfigProgram();
}

void CDaskSysTrayDlg::RebuildMenu()
{
    CString active;
    {
        CDeviceManager manager;
        manager.GetProfileNames(m_profileNames);
        if (!manager.GetActiveProfileName(active))
            active.Empty();
    }
    const TrayMenuModel model =
        BuildTrayMenuModel(m_profileNames, active, GetTrayText(L"$CloseTrayIcon", L"Close Tray Icon"));
    CMenu menu;
    if (!LoadTrayMenu(menu, model))
        return;
    m_closeCommand = model.closeCommand;
    m_trayIcon.SetMenu(std::move(menu), ID_LOAD_VELMORA, false);
}

void CDaskSysTrayDlg::ShowNotice(const CString& text)
{
    if (m_notice)
        m_notice->Show(text);
}

void CDaskSysTrayDlg::ReleaseResources()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_notice.reset();
    OnRecordingCancelled();
    Disconnect();
    if (m_sessionNotification && m_hWnd)
        m_sessionNotification = !::WTSUnRegisterSessionNotification(m_hWnd);
    if (m_deviceNotification && ::UnregisterDeviceNotification(m_deviceNotification))
        m_deviceNotification = nullptr;
    StopPolling();
}

// The window's destruction deletes the object (PostNcDestroy) and ends the message loop.
void CDaskSysTrayDlg::ShutDown()
{
    ReleaseResources();
    DestroyWindow();
}
