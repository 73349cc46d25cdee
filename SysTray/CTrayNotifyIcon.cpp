#include "CTrayNotifyIcon.h"

#include "SysTrayResource.h"

#include <shlwapi.h>

#include <cwchar>
#include <memory>
#include <type_traits>

namespace
{
constexpr UINT kIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
constexpr UINT kNotifyVersion = 3;

struct LibraryCloser
{
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
};

// The major version DllGetVersion of the shell reports; 0 when it cannot say.
DWORD ShellMajorVersion()
{
    std::unique_ptr<std::remove_pointer<HMODULE>::type, LibraryCloser> shell(::LoadLibraryW(L"SHELL32.DLL"));
    if (!shell)
        return 0;
    auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(::GetProcAddress(shell.get(), "DllGetVersion")));
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof(info);
    if (!getVersion || FAILED(getVersion(&info)))
        return 0;
    return info.dwMajorVersion;
}
}

CTrayNotifyIcon::CTrayNotifyIcon()
    : m_shellLevel(DetectShellLevel())
{
    m_data.cbSize = GetRecordSize(m_shellLevel);
}

CTrayNotifyIcon::~CTrayNotifyIcon()
{
    Remove();
    if (m_hWnd)
        SendMessage(WM_CLOSE);
    m_menu.DestroyMenu();
}

DWORD CTrayNotifyIcon::GetRecordSize(int shellLevel)
{
    switch (shellLevel)
    {
    case 3:
        return sizeof(NOTIFYICONDATAW);
    case 2:
        return NOTIFYICONDATAW_V3_SIZE;
    case 1:
        return NOTIFYICONDATAW_V2_SIZE;
    default:
        return NOTIFYICONDATAW_V1_SIZE;
    }
}

int CTrayNotifyIcon::DetectShellLevel()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    const BOOL known = ::GetVersionExW(&version);
    if (known && version.dwMajorVersion > 5)
        return 3;
    const DWORD shell = ShellMajorVersion();
    if (shell > 5)
        return 2;
    if (shell > 4)
        return 1;
    return 0;
}

bool CTrayNotifyIcon::Create(CWnd* owner, const wchar_t* tooltip, HICON icon)
{
    if (!owner || !owner->m_hWnd || m_added)
        return false;
    CMenu menu;
    if (!menu.LoadMenu(IDR_TRAYMENU) || !menu.GetSubMenu(0).GetSafeHmenu())
        return false;
    SetMenu(std::move(menu), 0, true);
    const RECT none = {};
    if (!m_hWnd && !CreateEx(0, nullptr, L"CTrayNotifyIcon Helper Window", WS_OVERLAPPEDWINDOW, none, nullptr,
            nullptr))
        return false;
    m_pOwner = owner;
    m_data.hWnd = owner->m_hWnd;
    m_data.uID = kIconId;
    m_data.uFlags = kIconFlags;
    m_data.uCallbackMessage = kCallbackMessage;
    m_data.hIcon = icon;
    wcsncpy(m_data.szTip, tooltip ? tooltip : L"", _countof(m_data.szTip) - 1);
    m_data.szTip[_countof(m_data.szTip) - 1] = L'\0';
    TaskbarCreated();
    m_added = ::Shell_NotifyIconW(NIM_ADD, &m_data) != FALSE;
    if (m_added && m_shellLevel > 0)
    {
        NOTIFYICONDATAW version = m_data;
        version.uVersion = kNotifyVersion;
        ::Shell_NotifyIconW(NIM_SETVERSION, &version);
    }
    return m_added;
}

void CTrayNotifyIcon::SetMenu(CMenu&& menu, UINT defaultItem, bool byPosition)
{
    m_menu = std::move(menu);
    m_defaultItem = defaultItem;
    m_defaultByPosition = byPosition;
    m_menu.GetSubMenu(0).SetDefaultItem(m_defaultItem, m_defaultByPosition);
}

LRESULT CTrayNotifyIcon::OnTrayNotification(WPARAM iconId, LPARAM mouseMessage, POINT cursor)
{
    if (iconId != kIconId || !m_pOwner)
        return 0;
    CMenuHandle popup = m_menu.GetSubMenu(0);
    switch (static_cast<UINT>(mouseMessage))
    {
    case WM_RBUTTONUP:
        ::SetForegroundWindow(m_pOwner->m_hWnd);
        popup.TrackPopupMenu(TPM_LEFTBUTTON, cursor.x, cursor.y, m_pOwner->m_hWnd);
        // The menu closes properly only when its owner gets a message after it.
        m_pOwner->PostMessage(WM_NULL);
        break;
    case WM_LBUTTONDBLCLK:
    {
        ::SetForegroundWindow(m_pOwner->m_hWnd);
        const UINT item = popup.GetDefaultItem();
        if (item != static_cast<UINT>(-1))
            m_pOwner->SendMessage(WM_COMMAND, item, 0);
        break;
    }
    default:
        break;
    }
    return 1;
}

LRESULT CTrayNotifyIcon::OnTrayNotification(WPARAM iconId, LPARAM mouseMessage)
{
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    return OnTrayNotification(iconId, mouseMessage, cursor);
}

void CTrayNotifyIcon::Remove()
{
    if (!m_added)
        return;
    NOTIFYICONDATAW remove = m_data;
    remove.uFlags = 0;
    ::Shell_NotifyIconW(NIM_DELETE, &remove);
    m_added = false;
}

bool CTrayNotifyIcon::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (TaskbarCreated().Matches(message)) // void OnTaskbarCreated()
    {
        OnTaskbarCreated();
        result = 0;
        return true;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

void CTrayNotifyIcon::OnTaskbarCreated()
{
    if (!m_pOwner)
        return;
    Remove();
    m_data.uFlags = kIconFlags;
    m_added = ::Shell_NotifyIconW(NIM_ADD, &m_data) != FALSE;
}

// Registered once, when the program first needs it.
const CRegisteredMessage& CTrayNotifyIcon::TaskbarCreated()
{
    static const CRegisteredMessage message(L"TaskbarCreated");
    return message;
}
