#include "CDialog.h"

#include "CWndCreationHook.h"

namespace
{
bool IsInputMessage(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}
}

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_templateId(templateId), m_pParentWnd(parent)
{
}

bool CDialog::Create()
{
    if (m_hWnd)
        return false;
    HWND wnd = nullptr;
    {
        CWndCreationHook hook(this);
        if (!hook.IsInstalled())
            return false;
        wnd = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), OwnerHandle(),
            &CDialog::DialogProc, 0);
    }
    if (!wnd)
        return false;
    return m_hWnd == wnd || SubclassWindow(wnd);
}

INT_PTR CDialog::DoModal()
{
    m_modalResult = -1;
    // Set before creation so that an EndDialog inside WM_CREATE or WM_INITDIALOG is kept.
    m_inModalLoop = true;
    if (!Create())
    {
        m_inModalLoop = false;
        return -1;
    }
    HWND owner = OwnerHandle();
    const bool disabledOwner = owner && ::IsWindowEnabled(owner) && !::EnableWindow(owner, FALSE);
    if (m_inModalLoop && m_hWnd && !IsWindowVisible())
        ShowWindow(SW_SHOWNORMAL);
    RunModalLoop();
    if (disabledOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
    DestroyWindow();
    return m_modalResult;
}

void CDialog::EndDialog(INT_PTR result)
{
    m_modalResult = result;
    if (m_inModalLoop)
    {
        m_inModalLoop = false;
        return;
    }
    if (m_hWnd)
        ::EndDialog(m_hWnd, result);
}

bool CDialog::PreTranslateMessage(MSG* msg)
{
    // A modeless dialog gets the dialog keys (Tab, Enter, Escape) from the program's loop;
    // the modal loop calls the dialog manager itself.
    if (m_inModalLoop || !m_hWnd || !msg || !IsInputMessage(msg->message))
        return false;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd))
        return false;
    return ::IsDialogMessageW(m_hWnd, msg) != FALSE;
}

bool CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_INITDIALOG) // bool OnInitDialog()
    {
        result = OnInitDialog() ? TRUE : FALSE;
        return true;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

bool CDialog::OnCommand(WPARAM wParam, LPARAM lParam) // void OnOK(), void OnCancel()
{
    if (lParam != 0 && HIWORD(wParam) != BN_CLICKED)
        return CWnd::OnCommand(wParam, lParam);
    if (LOWORD(wParam) == IDOK)
    {
        OnOK();
        return true;
    }
    if (LOWORD(wParam) == IDCANCEL)
    {
        OnCancel();
        return true;
    }
    return CWnd::OnCommand(wParam, lParam);
}

bool CDialog::OnInitDialog()
{
    return true;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

HWND CDialog::OwnerHandle() const
{
    if (!m_pParentWnd || !m_pParentWnd->m_hWnd)
        return nullptr;
    return ::GetAncestor(m_pParentWnd->m_hWnd, GA_ROOT);
}

void CDialog::RunModalLoop()
{
    MSG msg = {};
    while (m_inModalLoop && m_hWnd)
    {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1)
            break;
        if (got == 0)
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (WalkPreTranslateTree(m_hWnd, &msg) || ::IsDialogMessageW(m_hWnd, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    m_inModalLoop = false;
}

// Every message reaches the object through its subclassed window procedure first; what it
// passes on lands here and gets the dialog manager's default handling.
INT_PTR CALLBACK CDialog::DialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}
