// Classes in this file:
//   CFOPopupColorPaletteWnd - the palette as a popup beside an anchor rectangle (the colour
//                             button), kept inside the work area; losing activation picks
//                             the current colour unless a choice was already made.
#pragma once

#include "CFODropColorPaletteWnd.h"

// Style bit of CFOPopupColorPaletteWnd::Create: the popup's left edge at the anchor's left
// (else at the anchor's right).
constexpr DWORD kPaletteAlignLeft = 0x0001;

class CFOPopupColorPaletteWnd : public CFODropColorPaletteWnd
{
public:
    explicit CFOPopupColorPaletteWnd(COLORREF defaultColor = 0) : CFODropColorPaletteWnd(defaultColor) {}

    // Attributes
    // The popup's screen rectangle of the given window size beside anchor inside work: below
    // it (above when that passes the bottom edge), from its left edge with alignLeft (from
    // its right edge otherwise), moved to the other side of the anchor when it would pass
    // the right edge.
    static CRect PlaceBeside(const RECT& anchor, SIZE size, const RECT& work, bool alignLeft);

    // Operations
    // A popup (WS_POPUP is added) with a client area of width by height beside anchor,
    // owned by notify, which takes the focus.
    bool Create(DWORD style, const RECT& anchor, HWND notify, COLORREF current, int width, int height);

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
