// Classes in this file:
//   CListPanelItem - a list definition of a page (LISTPANEL element): rows, size, colours,
//                    font and scroll bar. It has no window of its own; Popup shows it as a
//                    modal list panel, and its rows may name other list panel items as
//                    their second-level lists.
#pragma once

#include "CGUIItem.h"
#include "CListEntry.h"
#include "CListPanelLevel.h"
#include "CListPanelSettings.h"
#include "CListPanelStatic.h"

#include <commctrl.h>

#include <memory>
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

private:
    // The copy the inline list shows; it goes after the list that shows it.
    std::unique_ptr<CListPanelLevel> m_pInlineLevel;
    std::unique_ptr<CListPanelStatic> m_pInlineList;

public:
    CListPanelItem(int width, int defaultHeight);
    ~CListPanelItem() override;

    // Attributes
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    const std::vector<CListEntry>& GetEntries() const { return m_entries; }
    // With LVFI_STRING: the first entry whose text equals the string exactly; else -1.
    int FindItem(const LVFINDINFOW& find) const;
    CListPanelStatic* GetInlineList() const { return m_pInlineList.get(); }

    // Operations
    int AddEntry(const CListEntry& entry);
    void ResetContent() { m_entries.clear(); }
    // Replaces the entries and refills the inline list, if any.
    void SetEntries(const std::vector<CListEntry>& entries);
    // Shows the item inline: a framed list of its rows at rect in parent.
    bool CreateStaticList(int id, const RECT& rect, CWnd* parent);
    void Show(bool show) override;
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
