// Classes in this file:
//   CListEntry - one row of a skinned list: its text, tooltip and flags, and the item whose
//                entries open as the row's second-level list.
#pragma once

#include "CString.h"

class CListPanelItem;

class CListEntry
{
public:
    // Data members
    // A language key such as "$cut", or a literal.
    CString m_text;
    CString m_tipText;
    // Shown unchanged instead of the translated text when not empty.
    CString m_displayText;
    // The item whose entries are the row's second-level list; null for none.
    CListPanelItem* m_pSubList = nullptr;
    bool m_disabled = false;
    // A line under the row.
    bool m_separator = false;
    // ". . ." at the row's right end.
    bool m_more = false;

    CListEntry() = default;
    explicit CListEntry(const CString& text) : m_text(text) {}
};
