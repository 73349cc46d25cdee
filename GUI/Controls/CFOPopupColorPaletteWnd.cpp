#include "CFOPopupColorPaletteWnd.h"

CRect CFOPopupColorPaletteWnd::PlaceBeside(const RECT& anchor, SIZE size, const RECT& work, bool alignLeft)
{
    int x = 0;
    if (alignLeft)
    {
        x = anchor.left;
        if (x + size.cx > work.right)
            x = anchor.right - size.cx;
    }
    else
    {
        x = anchor.right;
        if (x + size.cx > work.right)
            x = anchor.left - size.cx;
    }
    int y = anchor.bottom;
    if (y + size.cy > work.bottom)
        y = anchor.top - size.cy;
    return CRect(x, y, x + size.cx, y + size.cy);
}

bool CFOPopupColorPaletteWnd::Create(DWORD style, const RECT& anchor, HWND notify, COLORREF current, int width,
    int height)
{
    const bool alignLeft = (style & kPaletteAlignLeft) != 0;
    const DWORD windowStyle = (style & ~kPaletteAlignLeft) | WS_POPUP;
    CRect frame(0, 0, width, height);
    if (!::AdjustWindowRectEx(&frame, windowStyle, FALSE, WS_EX_TOOLWINDOW))
        return false;
    RECT work = {};
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        ::GetWindowRect(::GetDesktopWindow(), &work);
    const CRect placed = PlaceBeside(anchor, frame.Size(), work, alignLeft);
    if (!CFODropColorPaletteWnd::Create(windowStyle, notify, current, placed))
        return false;
    SetFocus();
    return true;
}

bool CFOPopupColorPaletteWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // Losing activation picks the current colour; the control ignores it after a choice,
    // so hiding after a pick or cancel, or the custom dialog opening, reports nothing more.
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE && m_pControl)
        m_pControl->PickOnDeactivation();
    return CFODropColorPaletteWnd::OnWndMsg(message, wParam, lParam, result);
}
