#include "CToolTipCtrl.h"

#include <commctrl.h>

bool CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    HWND owner = parent ? parent->m_hWnd : nullptr;
    const RECT none = { 0, 0, 0, 0 };
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, none, owner, nullptr);
}

TTTOOLINFOW CToolTipCtrl::ToolInfo(HWND tool, const wchar_t* text) const
{
    TTTOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = ::GetParent(tool) ? ::GetParent(tool) : tool;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(text ? text : L"");
    return info;
}

bool CToolTipCtrl::AddTool(HWND tool, const wchar_t* text)
{
    if (!m_hWnd || !tool)
        return false;
    TTTOOLINFOW info = ToolInfo(tool, text);
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

void CToolTipCtrl::UpdateTipText(HWND tool, const wchar_t* text)
{
    if (!m_hWnd || !tool)
        return;
    TTTOOLINFOW info = ToolInfo(tool, text);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::SetToolText(CWnd* tool, const wchar_t* text)
{
    if (!tool || !tool->m_hWnd)
        return;
    if (!m_hWnd)
    {
        if (Create(tool))
            AddTool(tool->m_hWnd, text);
        return;
    }
    UpdateTipText(tool->m_hWnd, text);
}

void CToolTipCtrl::DelTool(HWND tool)
{
    if (!m_hWnd || !tool)
        return;
    TTTOOLINFOW info = ToolInfo(tool, nullptr);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::RelayEvent(const MSG* msg)
{
    if (m_hWnd && msg)
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}

TTTOOLINFOW CToolTipCtrl::RectToolInfo(HWND window, UINT_PTR id, const wchar_t* text)
{
    TTTOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.hwnd = window;
    info.uId = id;
    info.lpszText = const_cast<wchar_t*>(text ? text : L"");
    return info;
}

bool CToolTipCtrl::AddTool(HWND window, UINT_PTR id, const RECT& rect, const wchar_t* text)
{
    if (!m_hWnd || !window)
        return false;
    TTTOOLINFOW info = RectToolInfo(window, id, text);
    info.rect = rect;
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

void CToolTipCtrl::UpdateTipText(HWND window, UINT_PTR id, const wchar_t* text)
{
    if (!m_hWnd || !window)
        return;
    TTTOOLINFOW info = RectToolInfo(window, id, text);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

TTTOOLINFOW CToolTipCtrl::TrackingToolInfo(HWND window, HWND tool, const wchar_t* text)
{
    TTTOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    info.hwnd = window;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(text ? text : L"");
    return info;
}

bool CToolTipCtrl::AddTrackingTool(HWND window, HWND tool, const wchar_t* text)
{
    if (!m_hWnd || !window || !tool)
        return false;
    TTTOOLINFOW info = TrackingToolInfo(window, tool, text);
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

void CToolTipCtrl::UpdateTrackingText(HWND window, HWND tool, const wchar_t* text)
{
    if (!m_hWnd || !window || !tool)
        return;
    TTTOOLINFOW info = TrackingToolInfo(window, tool, text);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::TrackActivate(HWND window, HWND tool, bool active)
{
    if (!m_hWnd || !window || !tool)
        return;
    TTTOOLINFOW info = TrackingToolInfo(window, tool, nullptr);
    SendMessage(TTM_TRACKACTIVATE, active ? TRUE : FALSE, reinterpret_cast<LPARAM>(&info));
}
