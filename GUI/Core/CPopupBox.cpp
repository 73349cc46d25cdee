#include "CPopupBox.h"

bool CPopupBox::OnInitDialog()
{
    InitItems();
    const bool result = CGUIPanel::OnInitDialog();
    CentreOnOwner();
    return result;
}

void CPopupBox::CentreOnOwner()
{
    // A popup of a fixed rectangle (a list that drops down from its box) stays where it is put.
    CRect window;
    if (GetPageFile().IsEmpty() || !m_hWnd || (GetStyle() & WS_CHILD) || !::GetWindowRect(m_hWnd, &window))
        return;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const CRect work(monitor.rcWork);
    CRect around = work;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &around);
    int x = around.left + (around.Width() - window.Width()) / 2;
    int y = around.top + (around.Height() - window.Height()) / 2;
    if (x + window.Width() > work.right)
        x = work.right - window.Width();
    if (y + window.Height() > work.bottom)
        y = work.bottom - window.Height();
    x = x < work.left ? work.left : x;
    y = y < work.top ? work.top : y;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
