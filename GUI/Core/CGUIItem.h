// Classes in this file:
//   tGUIItemKind - what class a skin item is, set by the item factory after it built the item.
//   CGUIItem     - the record every skin item carries, so that pages find their controls by
//                  item id; in a control it is the second base after the window class.
#pragma once

#include <windows.h>

class CWnd;

enum tGUIItemKind : int
{
    GUIKIND_NONE = -1,
    GUIKIND_PANELBITMAP = 0,
    GUIKIND_BITMAPITEM = 1,
    GUIKIND_BITMAPBTN = 2,
    GUIKIND_AVIBUTTON = 3,
    GUIKIND_VERTSLIDER = 5,
    GUIKIND_DMARKER = 7,
    GUIKIND_SLIDERHMULTI = 8,
    GUIKIND_APMSLIDER = 9,
    GUIKIND_MACRODISPLAY = 10,
    GUIKIND_TEXTITEM = 11,
    GUIKIND_FONT = 12,
    GUIKIND_LANG = 13,
    GUIKIND_DROPDOWN = 14,
    GUIKIND_DROPDOWNCOLOR = 15,
    GUIKIND_LISTPANELITEM = 16,
    GUIKIND_BITMAPWINDOW = 17,
    GUIKIND_LISTCTRL = 18,
    GUIKIND_EDIT = 19,
    GUIKIND_EDITSINGLEKEY = 20,
    GUIKIND_DPISTAGE = 21,
    GUIKIND_KBDDEF = 22,
    GUIKIND_KBDKEY = 23,
    GUIKIND_KBLAYOUT = 24,
    GUIKIND_SLIDERTRACK = 25,
    GUIKIND_PROGRESSITEM = 26,
};

// Item ids a page gives its background bitmap and its region mask.
constexpr int kBackgroundItemId = -2;
constexpr int kMaskItemId = -3;

// The window handle of an item whose window was never created: all bits set, so that no
// real handle matches it.
const HWND kNoItemWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(-1));

class CGUIItem
{
public:
    // Data members
    int m_id = -1;
    int m_kind = GUIKIND_NONE;
    HWND m_hWnd = kNoItemWindow;
    CWnd* m_pParentWnd = nullptr;

    CGUIItem() = default;
    virtual ~CGUIItem() = 0;
    CGUIItem(const CGUIItem&) = delete;
    CGUIItem& operator=(const CGUIItem&) = delete;

    // Operations
    // Shows or hides the item's window; items without a window ignore it.
    virtual void Show(bool show);

    bool HasWindow() const { return m_hWnd && m_hWnd != kNoItemWindow; }
};
