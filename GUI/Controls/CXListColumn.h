// Classes in this file:
//   CXListColumn - the definition of one column of the multi-column list: its cell kind,
//                  the check-box pictures, whether at most one row may be checked, where it
//                  stands and its title and tip.
#pragma once

#include "CBitmap.h"
#include "CString.h"

// The cell kinds of a column (the skin's ICON, STATIC, ... names).
enum tXListCellKind : int
{
    XLISTCELL_NONE = -1,
    XLISTCELL_ICON = 0,
    XLISTCELL_STATIC = 1,
    XLISTCELL_EDIT = 2,
    XLISTCELL_COMBO = 3,
    XLISTCELL_CHECKBOX = 4,
    XLISTCELL_FILEDIALOG = 5,
};

// The column ids of the lists (the skin's LCITEM_* names).
enum tListColumnId : int
{
    LCITEM_PROFILECURRENT = 0,
    LCITEM_PROFILEID = 1,
    LCITEM_PROFILENAME = 2,
    LCITEM_PROFILEEXE = 3,
    LCITEM_AUTOSWITCH = 4,
    LCITEM_MCREVENT_ICON = 5,
    LCITEM_MCREVENT_DESCRIP = 6,
};

class CXListColumn
{
public:
    // Data members
    int m_kind = XLISTCELL_NONE;
    // The skin store's pictures; null where the skin gives none.
    const CBitmap* m_pUnchecked = nullptr;
    const CBitmap* m_pChecked = nullptr;
    const CBitmap* m_pMask = nullptr;
    // At most one row of the column is checked.
    bool m_exclusive = false;
    // The column's position; -1 before it is inserted.
    int m_subItem = -1;
    // The header text, translated when the column is added.
    CString m_title;
    // Shown over the column's header item; the title when empty.
    CString m_toolTip;
};
