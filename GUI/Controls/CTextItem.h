// Classes in this file:
//   CTextItem - the skinned text label (TEXTITEM element): translated text drawn
//               transparently over its parent, hover colours, and an optional check-box
//               button that a click on the label toggles.
#pragma once

#include "CGUIItem.h"
#include "CStatic.h"
#include "CToolTipCtrl.h"

class CBitmapBtn;

class CTextItem : public CStatic, public CGUIItem
{
public:
    // The window part's handle; the item record keeps its own copy.
    using CStatic::m_hWnd;

    // Data members
    CString m_text;
    HFONT m_font = nullptr;
    // DrawText flags; 0 draws one line at x = 5, vertically centred.
    UINT m_format = 0;
    COLORREF m_colour = 0xFEFEFE;
    COLORREF m_hoverColour = 0;
    COLORREF m_selectedColour = 0;
    bool m_hasHoverColour = false;
    bool m_hasSelectedColour = false;
    COLORREF m_disabledColour = 0;
    bool m_hasDisabledColour = false;
    bool m_hovering = false;
    bool m_selected = false;
    CBitmapBtn* m_pBuddy = nullptr;
    CToolTipCtrl m_toolTip;

public:
    CTextItem() = default;
    ~CTextItem() override = default;

    // Attributes
    const CString& GetText() const { return m_text; }
    UINT GetTextFormat() const { return m_format; }
    bool IsHovering() const { return m_hovering; }
    CBitmapBtn* GetBuddy() const { return m_pBuddy; }

    // Operations
    // An owner-drawn static; an interactive label gets SS_NOTIFY and so the mouse.
    bool Create(const RECT& rect, CWnd* parent, bool interactive);
    // The shown text: translated when the table knows it (then the case mode applies),
    // the first literal backslash-n a line break; also the window text.
    void SetText(const CString& text, int caseMode = 0);
    void SetTextFormat(UINT format) { m_format = format; }
    void SetFontHandle(HFONT font) { m_font = font; }
    void SetColour(COLORREF colour) { m_colour = colour == 0 ? 0xFEFEFE : colour; }
    void SetHoverColour(COLORREF colour);
    void SetSelectedColour(COLORREF colour);
    // The text colour while the window is disabled.
    void SetDisabledColour(COLORREF colour);
    // A selected label is drawn in its selected colour and tracks no hover.
    void SetSelected(bool selected);
    void SetBuddy(CBitmapBtn* buddy) { m_pBuddy = buddy; }
    void SetItemToolTipText(const CString& text);
    // Repaints the label's rectangle in the parent, so the parent's background shows
    // through the transparent text.
    void RedrawBackground();

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnMouseMove(POINT point);
    void OnLButtonUp();
    void SetHover(bool hover);
    void DrawItem(const DRAWITEMSTRUCT& item);
};
