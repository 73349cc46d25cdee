// Classes in this file:
//   CXComboList - the drop list a combo cell of the multi-column list opens below itself: a
//                 bordered pop-up holding a list box and a slim scroll bar, which reports
//                 keys, clicks and focus loss to its list by four registered messages.
#pragma once

#include "CListBox.h"
#include "CScrollBar.h"

#include <vector>

// The registered messages the combo list sends its owner list (wParam 0, lParam 0),
// registered once by name when the program starts and shared by every list of the process.
extern const UINT WM_XCOMBOLIST_VK_RETURN;
extern const UINT WM_XCOMBOLIST_VK_ESCAPE;
extern const UINT WM_XCOMBOLIST_KEYDOWN;
extern const UINT WM_XCOMBOLIST_LBUTTONUP;

class CXComboList : public CWnd
{
public:
    // What a key pressed in the list box does.
    struct KeyAction
    {
        // The registered message to send (0: none, the key gets its default handling only).
        UINT m_message = 0;
        // The scroll bar's new position after a navigation key or a found letter; -1 otherwise.
        int m_position = -1;
    };

private:
    // Data members
    HWND m_hOwner;
    CListBox m_listBox;
    CScrollBar m_scrollBar;
    bool m_firstShow = true;
    int m_focusLosses = 1;

public:
    // The owner list gets the registered messages.
    explicit CXComboList(HWND owner);
    ~CXComboList() override;

    // Attributes
    CListBox& GetListBox() { return m_listBox; }
    virtual CScrollBar* GetScrollBar() { return &m_scrollBar; }
    int GetFocusLosses() const { return m_focusLosses; }
    // The key table: s the selection (0 for none), p the visible rows, the scroll maximum,
    // and for 'A' to 'Z' the row LB_FINDSTRING found after the selection (-1 for none).
    static KeyAction ActionForKey(UINT key, int selection, int visibleRows, int maximum, int letterMatch);

    // Operations
    // A bordered pop-up at the screen rectangle, owned by the owner list's window.
    bool Create(const RECT& screenRect, HFONT font);
    // Fills the list box (empty strings left out) and selects the string equal to selected,
    // else the first; the selected string, empty when there is none.
    CString SetStrings(const std::vector<CString>& strings, const CString& selected);
    // Gives the list box the focus; on the first call the pop-up shrinks to whole rows and
    // the list box and scroll bar are laid out.
    void SizeAndFocus();
    CString GetSelectedText() const;

    bool PreTranslateMessage(MSG* msg) override;

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    int OnCreate();
    bool OnListBoxKey(UINT key);
    void OnVScroll(WPARAM wParam);
    void OnFocusLost(HWND newFocus);
    int VisibleRows() const;
    int ScrollMaximum() const;
    void Notify(UINT message) const;
};
