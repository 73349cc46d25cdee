// Classes in this file:
//   CDropdownColorButton - the colour chooser (COMBOCOLOR element): a box filled with the
//                          current colour and a drop arrow. A click opens the colour palette
//                          under it; arrow keys there preview a colour in the box, a pick
//                          (click, Enter, leaving the palette, or the custom colour dialog)
//                          becomes the colour, and a changed colour is reported to the
//                          notify window with WM_GUI_ITEM_VALUE_CHANGED (colour, control id).
//                          Escape puts back the colour from before the palette opened.
#pragma once

#include "CDropdownListItem.h"
#include "CFOPopupColorPaletteWnd.h"
#include "IColorChooser.h"

#include <memory>

// The control and item id of a colour button whose element has no vocabulary name (the
// lighting page's): its page finds it by this control id.
constexpr int kUnnamedColorButtonId = 1000;

class CDropdownColorButton : public CDropdownListItem
{
    // Data members
    bool m_paletteRequested = false;
    COLORREF m_colour = 0;
    // The colour the owner last set or was told of: picks are compared against it.
    COLORREF m_reportedColour = 0;
    COLORREF m_colourBeforeOpen = 0;
    int m_paletteWidth = 200;
    int m_paletteHeight = 150;
    bool m_paletteOpen = false;
    HWND m_hNotify = nullptr;
    bool m_enabled = true;
    bool m_hasArrow = true;
    // A left press on the button activated its window and has not arrived yet: when the
    // open palette's closing swallows that press, its release opens the palette instead.
    bool m_activatingPress = false;
    std::unique_ptr<CFOPopupColorPaletteWnd> m_pPalette;
    IColorChooser* m_pChooser;

public:
    CDropdownColorButton();
    ~CDropdownColorButton() override;

    // Attributes
    virtual COLORREF GetColor() const { return m_colour; }
    bool IsPaletteOpen() const { return m_paletteOpen; }
    bool IsPaletteRequested() const { return m_paletteRequested; }
    CFOPopupColorPaletteWnd* GetPalette() const { return m_pPalette.get(); }
    bool IsEnabled() const { return m_enabled; }
    bool HasArrow() const { return m_hasArrow; }
    HWND GetNotifyWindow() const { return m_hNotify; }

    // Operations
    // The owner's colour: shown, and the one later picks are compared against.
    virtual void SetColor(COLORREF colour);
    // A visible child of parent with that control id.
    bool CreateButton(const RECT& rect, CWnd* parent, UINT id);
    // Clicks are ignored while not enabled (the disabled look is the drop-down's flag).
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    void SetHasArrow(bool hasArrow);
    void SetNotifyWindow(HWND notify) { m_hNotify = notify; }
    // The custom colour dialog; the system's by default.
    void SetColorChooser(IColorChooser* chooser) { m_pChooser = chooser; }
    // What a click does: replaces any open palette by a new one over the button.
    void OpenPalette();

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnMouseActivate(LPARAM lParam);
    void OnLButtonUp();
    void DrainPaletteMessages();
    void OnColorPicked(COLORREF colour, LPARAM code);
    void CommitColor(COLORREF colour, LPARAM code);
    void OnCancelled();
    void OnCustomColor(LPARAM code);
    void ClosePalette();
    void OnPaint();
};
