// Classes in this file:
//   CDropdownListItem - the skinned drop-down (COMBO element): a flat box showing the current
//                       choice with a down arrow at its right end. A click opens a list panel
//                       under it; the choice is written into the box and reported to the
//                       parent with WM_GUI_DROPDOWN_SELCHANGE.
#pragma once

#include "CBmpInfo.h"
#include "CGUIItem.h"
#include "CListEntry.h"
#include "CListPanelSettings.h"
#include "CRect.h"
#include "CStatic.h"
#include "CToolTipCtrl.h"

#include <commctrl.h>

#include <memory>
#include <vector>

class CDropdownListItem : public CStatic, public CGUIItem
{
public:
    // The window part's handle; the item record keeps its own copy.
    using CStatic::m_hWnd;

    // Data members
    // Drawn in the disabled colours and deaf to clicks; the owner invalidates after setting it.
    bool m_disabled = false;
    // Drawn instead of the choice while not empty.
    CString m_captionOverride;

private:
    bool m_listOpen = false;
    bool m_hot = false;
    bool m_pressed = false;
    CString m_shownText;
    CString m_shownSubText;
    std::unique_ptr<CBmpInfo> m_pBmpInfo;
    // The tip window is made when the mouse first reaches the box, with the tip text set
    // until then (translated when set): a page of many boxes opens without making a
    // window for each tip.
    CToolTipCtrl m_toolTip;
    CString m_toolTipText;
    bool m_hasToolTipText = false;
    std::vector<CListEntry> m_entries;
    std::vector<CString> m_chosenPath;
    CRect m_controlRect;
    int m_listHeight = 0;
    int m_listWidth = 0;
    HFONT m_font = nullptr;
    // Indexed by colour slot (1 to 16); 0 is unused.
    COLORREF m_slots[kListColourSlotCount + 1] = {};
    ListColourSet m_colours;
    ListColourSet m_listColours;
    int m_borderWidth = 1;
    int m_leftMargin = 0;
    int m_rightMargin = 0;
    CVScrollValues m_scroll;
    int m_scrollWidth = 0;
    bool m_sorted = false;

public:
    CDropdownListItem();
    ~CDropdownListItem() override;

    // Attributes
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    const std::vector<CListEntry>& GetEntries() const { return m_entries; }
    CString GetItemText(int index) const;
    // The entry, for its owner to set its flags, tip or second-level list; null outside the
    // entries.
    CListEntry* GetEntry(int index);
    // With LVFI_STRING: the first entry whose text equals the string exactly; else -1.
    int FindItem(const LVFINDINFOW& find) const;
    // The first entry whose text equals the shown text exactly; -1 for none.
    int GetCurSel() const;
    const CString& GetShownText() const { return m_shownText; }
    const CString& GetShownSubText() const { return m_shownSubText; }
    // The text the box shows: the caption override, else the choice and its sub-text.
    CString GetDisplayText() const;
    const std::vector<CString>& GetChosenPath() const { return m_chosenPath; }
    COLORREF GetSlotColour(int slot) const;
    bool IsHot() const { return m_hot; }
    bool IsPressed() const { return m_pressed; }
    bool IsListOpen() const { return m_listOpen; }
    int GetBorderWidth() const { return m_borderWidth; }
    int GetScrollWidth() const { return m_scrollWidth; }
    int GetListHeight() const { return m_listHeight; }
    int GetRightMargin() const { return m_rightMargin; }
    // The rectangle the border is drawn around, for the border width and client rectangle.
    static CRect BorderRect(const CRect& client, int borderWidth);

    // Operations
    bool CreateDropdown(int listHeight, int listWidth, const RECT& rect, CWnd* parent, UINT id);
    int AddString(const CString& text);
    int AddEntry(const CListEntry& entry);
    // Inserts before index (the count appends); false, nothing inserted, for an index
    // outside 0 to the count.
    bool InsertString(int index, const CString& text);
    // Removes the entries; the shown text stays.
    void ResetContent() { m_entries.clear(); }
    // Shows the entry (and the sub-text after ": "); 1, or 0 and nothing changed for an
    // index outside the entries.
    int SetCurSel(int index, const CString& subText = CString());
    // Shows no entry: the box is empty and GetCurSel answers -1.
    void ClearSelection();
    void SetToolTipText(const CString& text);
    void SetScrollValues(const CVScrollValues& values) { m_scroll = values; }
    void SetScrollWidth(int width) { m_scrollWidth = width; }
    void SetFontHandle(HFONT font) { m_font = font; }
    void SetBmpInfo(std::unique_ptr<CBmpInfo> record) { m_pBmpInfo = std::move(record); }
    void SetMargins(int left, int right);
    void SetBorderWidth(int width) { m_borderWidth = width; }
    void SetSorted(bool sorted) { m_sorted = sorted; }
    // The box's colours; every slot is derived from the set at once.
    void SetColourSet(const ListColourSet& colours);
    // The drop list's own colours; the box's are used while this is empty.
    void SetListColourSet(const ListColourSet& colours) { m_listColours = CopyColourSet(colours); }
    // Opens the drop list under the box and runs it modally.
    void OpenList();

    bool PreTranslateMessage(MSG* msg) override;

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void DeriveSlots();
    void OnLButtonDown();
    void OnLButtonUp();
    void OnMouseMove(POINT point, WPARAM keys);
    void OnPaint();
    void Repaint();
    void EnsureToolTip();
    // The tip window shows the tip text set last.
    void ShowToolTipText();
    CListPanelSettings ListSettings(int width) const;
};
