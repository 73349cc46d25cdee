// Classes in this file:
//   CListPanelItem - a list definition of a page (LISTPANEL element): rows, size, colours,
//                    font and scroll bar. It has no window of its own; Popup shows it as a
//                    modal list panel, and its rows may name other list panel items as
//                    their second-level lists.
#pragma once

#include "CGUIItem.h"
#include "CListEntry.h"
#include "CListPanelSettings.h"

#include <commctrl.h>

#include <vector>

class CWnd;

class CListPanelItem : public CGUIItem
{
public:
    // Data members
    CListPanelSettings m_settings;
    std::vector<CListEntry> m_entries;
    // The panel's height follows the entries when Popup is given no height.
    bool m_dynamic = true;

    CListPanelItem(int width, int defaultHeight);
    ~CListPanelItem() override = default;

    // Attributes
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    // With LVFI_STRING: the first entry whose text equals the string exactly; else -1.
    int FindItem(const LVFINDINFOW& find) const;

    // Operations
    int AddEntry(const CListEntry& entry);
    void ResetContent() { m_entries.clear(); }
    void SetEntries(const std::vector<CListEntry>& entries) { m_entries = entries; }
    void SetFont(HFONT font) { m_settings.m_font = font; }
    void SetMargins(int left, int right);
    void SetBorderWidth(int width) { m_settings.m_borderWidth = width; }
    void SetScrollBar(int width, const CVScrollValues& values);
    void SetSorted(bool sorted) { m_settings.m_sorted = sorted; }
    void SetColourSet(const ListColourSet& colours) { m_settings.m_colours = CopyColourSet(colours); }
    // Opens a copy of the list as a modal panel at (x, y) of the window's client area,
    // height high (0: as high as the entries when dynamic, else the default height) and as wide as the item; the chosen texts are
    // appended to result. 1 when a row was chosen, 2 when it closed without a choice.
    int Popup(int height, CWnd* window, std::vector<CString>* result, int x, int y);
};
