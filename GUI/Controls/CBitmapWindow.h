// Classes in this file:
//   CBitmapWindow - a bitmap-and-text window (BITMAPWINDOW element): state images behind an
//                   icon and a text centred together, the text shortened with "..." when it
//                   does not fit; hover tracked by mouse capture, a click told to the parent.
#pragma once

#include "CBitmap.h"
#include "CGUIItem.h"
#include "CToolTipCtrl.h"
#include "CWnd.h"

#include <map>

class CBitmapWindow : public CWnd, public CGUIItem
{
public:
    // The window part's handle; the item record keeps its own copy.
    using CWnd::m_hWnd;

private:
    // Data members
    // The first, second and third state images and the disabled one (SBMN, SBMO, SBMD,
    // SBMDS), owned by the store.
    const CBitmap* m_images[4] = {};
    std::map<int, const CBitmap*> m_icons;
    const CBitmap* m_pIcon = nullptr;
    CString m_text;
    HFONT m_font = nullptr;
    UINT m_format = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    COLORREF m_textColour = 0xFEFEFE;
    // The page's caps attribute for every text set later (0 keeps the text as it is).
    int m_caseMode = 0;
    COLORREF m_lineColour = 0xFFFFFF;
    bool m_underline = false;
    bool m_hovering = false;
    bool m_pressed = false;
    CToolTipCtrl m_toolTip;

public:
    CBitmapWindow() = default;
    ~CBitmapWindow() override = default;

    // Attributes
    const CString& GetText() const { return m_text; }
    bool IsHovering() const { return m_hovering; }
    // The text as it fits beside the icon, "..." appended when it was shortened.
    CString FittedText(HDC dc, int width) const;

    // Operations
    bool Create(const RECT& rect, CWnd* parent);
    void SetImages(const CBitmap* first, const CBitmap* second, const CBitmap* third, const CBitmap* disabled);
    void AddIcon(int assignmentKind, const CBitmap* icon);
    // Shows the icon of the assignment kind; none when the map has no picture for it.
    void SelectIcon(int assignmentKind);
    // The text as shown, in the letter case set by SetCaseMode.
    void SetText(const CString& text);
    void SetCaseMode(int caseMode) { m_caseMode = caseMode; }
    void SetTextFormat(UINT format) { m_format = format; }
    void SetFontHandle(HFONT font) { m_font = font; }
    void SetTextColour(COLORREF colour) { m_textColour = colour == 0 ? 0xFEFEFE : colour; }
    void SetUnderline(bool underline, COLORREF colour);
    void SetItemToolTipText(const CString& text);

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnPaint();
    void OnMouseMove(UINT flags, POINT point);
    const CBitmap* StateImage() const;
    void ClearState();
};
