// Classes in this file:
//   CMenuHandle - borrows a menu handle (a sub-menu, or a menu some other object owns) and
//                 wraps the calls the programs make on it; it never destroys the menu.
#pragma once

#include "CString.h"

#include <windows.h>

class CMenuHandle
{
protected:
    // Data members
    HMENU m_hMenu = nullptr;

public:
    CMenuHandle() = default;
    explicit CMenuHandle(HMENU menu) : m_hMenu(menu) {}

    // Attributes
    HMENU GetSafeHmenu() const { return m_hMenu; }
    bool IsMenu() const { return m_hMenu && ::IsMenu(m_hMenu); }
    // -1 when there is no menu.
    int GetItemCount() const;
    // The command id of the item at the position; 0 for a separator, -1 for a sub-menu or none.
    UINT GetItemId(int position) const;
    CString GetItemText(int position) const;
    // The MF_* state bits (MF_CHECKED, MF_SEPARATOR, ...) of the item at the position, or
    // (UINT)-1 when there is none.
    UINT GetItemState(int position) const;
    // The sub-menu at the position, borrowed; an empty handle when there is none.
    CMenuHandle GetSubMenu(int position) const;
    // The default item's command id, looking into sub-menus; (UINT)-1 when there is none.
    UINT GetDefaultItem() const;

    // Operations
    bool AppendMenu(UINT flags, UINT_PTR id = 0, const wchar_t* text = nullptr);
    // Changes the text of the item with that command id, keeping its id and flags.
    bool SetItemTextByCommand(UINT id, const wchar_t* text);
    // The item (a command id, or a position when byPosition) shown bold and chosen by a
    // double click.
    bool SetDefaultItem(UINT item, bool byPosition);
    // Shows the menu at the screen point for the owner; the owner gets the WM_COMMAND.
    bool TrackPopupMenu(UINT flags, int x, int y, HWND owner) const;
};
