// Classes in this file:
//   CFODropColorPaletteWnd - the window of a colour palette: it owns the palette control,
//                            turns mouse and keys into its choices and forwards the choices
//                            the control posts to it to the notify window, hiding itself
//                            after each one but a preview when it is a popup.
#pragma once

#include "CFODropColorPaletteControl.h"
#include "CWnd.h"

#include <memory>

class CFODropColorPaletteWnd : public CWnd
{
protected:
    // Data members
    COLORREF m_defaultColor;
    std::unique_ptr<CFODropColorPaletteControl> m_pControl;
    HWND m_hNotify = nullptr;
    bool m_pressed = false;

public:
    explicit CFODropColorPaletteWnd(COLORREF defaultColor = 0);
    ~CFODropColorPaletteWnd() override;

    // Attributes
    CFODropColorPaletteControl* GetControl() const { return m_pControl.get(); }
    HWND GetNotifyWindow() const { return m_hNotify; }

    // Operations
    // Creates the palette window (a child of notify, or a popup owned by it with WS_POPUP)
    // at rect with its control over the client area, and paints it at once.
    bool Create(DWORD style, HWND notify, COLORREF current, const RECT& rect);

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnLButtonDown(POINT point);
    void OnMouseMove(POINT point);
    void OnLButtonUp(POINT point);
    void OnKeyDown(UINT key);
    void TrackPoint(POINT point);
    void Forward(UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();
};
