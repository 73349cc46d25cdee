#include "CWnd.h"

#include "CWinApp.h"
#include "CWndCreationHook.h"


namespace
{
// The window property that holds a bound window's object.
const wchar_t kObjectProperty[] = L"VelmoraWndObject";
// The toolkit's plain window class: no background, double clicks, arrow cursor.
const wchar_t kPlainClass[] = L"VelmoraWnd";

// The message being dispatched on this thread, for Default(); saved and restored around
// every dispatch so that nested messages do not disturb it.
thread_local MSG t_currentMsg = {};

bool RegisterPlainClass()
{
    WNDCLASSEXW info = {};
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (::GetClassInfoExW(instance, kPlainClass, &info))
        return true;
    info.cbSize = sizeof(info);
    info.style = CS_DBLCLKS;
    info.lpfnWndProc = ::DefWindowProcW;
    info.hInstance = instance;
    info.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    info.lpszClassName = kPlainClass;
    return ::RegisterClassExW(&info) != 0;
}

}

CWnd::~CWnd()
{
    if (!m_hWnd)
        return;
    if (m_pfnSuper)
        ::DestroyWindow(m_hWnd);
    Detach();
}

CWnd* CWnd::FromHandle(HWND wnd)
{
    if (!wnd)
        return nullptr;
    return static_cast<CWnd*>(::GetPropW(wnd, kObjectProperty));
}

DWORD CWnd::GetStyle() const
{
    return m_hWnd ? static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)) : 0;
}

DWORD CWnd::GetExStyle() const
{
    return m_hWnd ? static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)) : 0;
}

int CWnd::GetDlgCtrlID() const
{
    return m_hWnd ? ::GetDlgCtrlID(m_hWnd) : 0;
}

HWND CWnd::GetDlgItem(int id) const
{
    return m_hWnd ? ::GetDlgItem(m_hWnd, id) : nullptr;
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(GetParentHandle());
}

HWND CWnd::GetParentHandle() const
{
    return m_hWnd ? ::GetParent(m_hWnd) : nullptr;
}

bool CWnd::IsWindowVisible() const
{
    return m_hWnd && ::IsWindowVisible(m_hWnd);
}

bool CWnd::IsWindowEnabled() const
{
    return m_hWnd && ::IsWindowEnabled(m_hWnd);
}

void CWnd::GetClientRect(RECT* rect) const
{
    if (!rect)
        return;
    if (!m_hWnd || !::GetClientRect(m_hWnd, rect))
        ::SetRectEmpty(rect);
}

void CWnd::GetWindowRect(RECT* rect) const
{
    if (!rect)
        return;
    if (!m_hWnd || !::GetWindowRect(m_hWnd, rect))
        ::SetRectEmpty(rect);
}

CString CWnd::GetWindowText() const
{
    CString text;
    if (!m_hWnd)
        return text;
    const int length = ::GetWindowTextLengthW(m_hWnd);
    if (length <= 0)
        return text;
    const int copied = ::GetWindowTextW(m_hWnd, text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer(copied);
    return text;
}

HFONT CWnd::GetFont() const
{
    return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}

bool CWnd::Create(const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect, CWnd* parent,
    UINT id)
{
    HWND parentWnd = parent ? parent->m_hWnd : nullptr;
    return CreateEx(0, className, title, style | WS_CHILD, rect, parentWnd,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect,
    HWND parent, HMENU menuOrId, void* param)
{
    if (m_hWnd)
        return false;
    if (!className)
    {
        if (!RegisterPlainClass())
            return false;
        className = kPlainClass;
    }
    HWND wnd = nullptr;
    {
        CWndCreationHook hook(this);
        if (!hook.IsInstalled())
            return false;
        wnd = ::CreateWindowExW(exStyle, className, title ? title : L"", style, rect.left, rect.top,
            rect.right - rect.left, rect.bottom - rect.top, parent, menuOrId, ::GetModuleHandleW(nullptr), param);
    }
    if (!wnd)
        return false;
    return m_hWnd == wnd || SubclassWindow(wnd);
}

bool CWnd::Attach(HWND wnd)
{
    if (m_hWnd || !wnd || !::IsWindow(wnd) || FromHandle(wnd))
        return false;
    if (!::SetPropW(wnd, kObjectProperty, this))
        return false;
    m_hWnd = wnd;
    return true;
}

HWND CWnd::Detach()
{
    if (m_pfnSuper)
        return UnsubclassWindow();
    HWND wnd = m_hWnd;
    if (wnd)
        ::RemovePropW(wnd, kObjectProperty);
    m_hWnd = nullptr;
    return wnd;
}

bool CWnd::SubclassWindow(HWND wnd)
{
    if (!Attach(wnd))
        return false;
    ::SetLastError(0);
    const LONG_PTR previous =
        ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StandardWindowProc));
    if (!previous && ::GetLastError() != 0)
    {
        Detach();
        return false;
    }
    m_pfnSuper = reinterpret_cast<WNDPROC>(previous);
    PreSubclassWindow();
    return true;
}

HWND CWnd::UnsubclassWindow()
{
    HWND wnd = m_hWnd;
    if (!wnd || !m_pfnSuper)
        return nullptr;
    ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    ::RemovePropW(wnd, kObjectProperty);
    m_hWnd = nullptr;
    return wnd;
}

bool CWnd::DestroyWindow()
{
    return m_hWnd && ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_hWnd ? ::SendMessageW(m_hWnd, message, wParam, lParam) : 0;
}

bool CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_hWnd && ::PostMessageW(m_hWnd, message, wParam, lParam);
}

bool CWnd::PreTranslateMessage(MSG*)
{
    return false;
}

bool CWnd::WalkPreTranslateTree(HWND stop, MSG* msg)
{
    if (!msg)
        return false;
    for (HWND wnd = msg->hwnd; wnd; wnd = ::GetParent(wnd))
    {
        CWnd* object = FromHandle(wnd);
        if (object && object->PreTranslateMessage(msg))
            return true;
        if (wnd == stop)
            break;
    }
    return false;
}

bool CWnd::ShowWindow(int command)
{
    return m_hWnd && ::ShowWindow(m_hWnd, command);
}

bool CWnd::MoveWindow(int x, int y, int width, int height, bool repaint)
{
    return m_hWnd && ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

bool CWnd::MoveWindow(const RECT& rect, bool repaint)
{
    return MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

bool CWnd::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return m_hWnd && ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
}

bool CWnd::SetWindowRgn(HRGN region, bool redraw)
{
    return m_hWnd && ::SetWindowRgn(m_hWnd, region, redraw) != 0;
}

void CWnd::ScreenToClient(POINT* point) const
{
    if (m_hWnd && point)
        ::ScreenToClient(m_hWnd, point);
}

void CWnd::ScreenToClient(RECT* rect) const
{
    if (m_hWnd && rect)
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::ClientToScreen(POINT* point) const
{
    if (m_hWnd && point)
        ::ClientToScreen(m_hWnd, point);
}

void CWnd::ClientToScreen(RECT* rect) const
{
    if (m_hWnd && rect)
        ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::Invalidate(bool erase)
{
    InvalidateRect(nullptr, erase);
}

void CWnd::InvalidateRect(const RECT* rect, bool erase)
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, rect, erase);
}

void CWnd::UpdateWindow()
{
    if (m_hWnd)
        ::UpdateWindow(m_hWnd);
}

bool CWnd::EnableWindow(bool enable)
{
    return m_hWnd && ::EnableWindow(m_hWnd, enable);
}

HWND CWnd::SetFocus()
{
    return m_hWnd ? ::SetFocus(m_hWnd) : nullptr;
}

HWND CWnd::SetCapture()
{
    return m_hWnd ? ::SetCapture(m_hWnd) : nullptr;
}

bool CWnd::SetWindowText(const wchar_t* text)
{
    return m_hWnd && ::SetWindowTextW(m_hWnd, text ? text : L"");
}

void CWnd::SetFont(HFONT font, bool redraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(redraw ? TRUE : FALSE, 0));
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse)
{
    return m_hWnd ? ::SetTimer(m_hWnd, id, elapse, nullptr) : 0;
}

bool CWnd::KillTimer(UINT_PTR id)
{
    return m_hWnd && ::KillTimer(m_hWnd, id);
}

bool CWnd::BringWindowToTop()
{
    return m_hWnd && ::BringWindowToTop(m_hWnd);
}

bool CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    if (!m_hWnd)
        return false;
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return false;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    if (swpFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ReflectToChild(message, wParam, lParam, result))
        return result;
    if (OnWndMsg(message, wParam, lParam, result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_COMMAND || !OnCommand(wParam, lParam))
        return false;
    result = 0;
    return true;
}

bool CWnd::OnCommand(WPARAM, LPARAM)
{
    return false;
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_currentMsg.message, t_currentMsg.wParam, t_currentMsg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

bool CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    HWND child = ReflectionTarget(message, wParam, lParam);
    // Only a direct child's notification is reflected, so that one passed on to a
    // grandparent is not offered to the control a second time.
    if (!child || child == m_hWnd || ::GetAncestor(child, GA_PARENT) != m_hWnd)
        return false;
    CWnd* object = FromHandle(child);
    return object && object->OnChildNotify(message, wParam, lParam, result);
}

HWND CWnd::ReflectionTarget(UINT message, WPARAM, LPARAM lParam) const
{
    switch (message)
    {
    case WM_COMMAND:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM:
    {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM:
    {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? ::GetDlgItem(m_hWnd, static_cast<int>(item->CtlID)) : nullptr;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    default:
        return nullptr;
    }
}

void CWnd::FinishNcDestroy()
{
    Detach();
    CWinApp* app = CWinApp::GetApp();
    if (app && app->m_pMainWnd == this)
    {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    PostNcDestroy();
}

LRESULT CALLBACK CWnd::StandardWindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* object = FromHandle(wnd);
    if (!object || object->m_hWnd != wnd)
        return ::DefWindowProcW(wnd, message, wParam, lParam);
    const MSG saved = t_currentMsg;
    t_currentMsg = MSG{ wnd, message, wParam, lParam, 0, { 0, 0 } };
    const LRESULT result = object->WindowProc(message, wParam, lParam);
    t_currentMsg = saved;
    // The object may delete itself in PostNcDestroy: nothing touches it afterwards.
    if (message == WM_NCDESTROY)
        object->FinishNcDestroy();
    return result;
}
