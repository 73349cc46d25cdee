#include "CMenuHandle.h"

int CMenuHandle::GetItemCount() const
{
    return m_hMenu ? ::GetMenuItemCount(m_hMenu) : -1;
}

UINT CMenuHandle::GetItemId(int position) const
{
    return m_hMenu ? ::GetMenuItemID(m_hMenu, position) : static_cast<UINT>(-1);
}

CString CMenuHandle::GetItemText(int position) const
{
    CString text;
    if (!m_hMenu)
        return text;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    if (!::GetMenuItemInfoW(m_hMenu, static_cast<UINT>(position), TRUE, &info) || info.cch == 0)
        return text;
    const UINT room = info.cch + 1;
    info.dwTypeData = text.GetBuffer(static_cast<int>(room));
    info.cch = room;
    const bool read = ::GetMenuItemInfoW(m_hMenu, static_cast<UINT>(position), TRUE, &info) != FALSE;
    text.ReleaseBuffer(read ? static_cast<int>(info.cch) : 0);
    return text;
}

UINT CMenuHandle::GetItemState(int position) const
{
    return m_hMenu ? ::GetMenuState(m_hMenu, static_cast<UINT>(position), MF_BYPOSITION) : static_cast<UINT>(-1);
}

CMenuHandle CMenuHandle::GetSubMenu(int position) const
{
    return CMenuHandle(m_hMenu ? ::GetSubMenu(m_hMenu, position) : nullptr);
}

UINT CMenuHandle::GetDefaultItem() const
{
    return m_hMenu ? ::GetMenuDefaultItem(m_hMenu, FALSE, GMDI_GOINTOPOPUPS) : static_cast<UINT>(-1);
}

bool CMenuHandle::AppendMenu(UINT flags, UINT_PTR id, const wchar_t* text)
{
    return m_hMenu && ::AppendMenuW(m_hMenu, flags, id, text);
}

bool CMenuHandle::SetItemTextByCommand(UINT id, const wchar_t* text)
{
    if (!m_hMenu || !text)
        return false;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text);
    return ::SetMenuItemInfoW(m_hMenu, id, FALSE, &info) != FALSE;
}

bool CMenuHandle::SetDefaultItem(UINT item, bool byPosition)
{
    return m_hMenu && ::SetMenuDefaultItem(m_hMenu, item, byPosition ? TRUE : FALSE);
}

bool CMenuHandle::TrackPopupMenu(UINT flags, int x, int y, HWND owner) const
{
    return m_hMenu && ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner, nullptr);
}
