// Classes in this file:
//   CEditItem - the skinned single-line edit field (EDITCTRL element): coloured, framed by
//               a bordered panel, with a tooltip and an optional numbers-only mode with a
//               range. Each change of its text is reported to the page.
#pragma once

#include "CEdit.h"
#include "CBrush.h"
#include "CGUIItem.h"
#include "CGenericPanel.h"
#include "CToolTipCtrl.h"

#include <cstdint>

class CEditItem : public CEdit, public CGUIItem
{
public:
    // The window part's handle; the item record keeps its own copy.
    using CEdit::m_hWnd;

    // The colours of the field's states; the page sets each one it names.
    struct Colours
    {
        COLORREF text = 0xFFFFFF;
        COLORREF hoverText = 0xFFFFFF;
        COLORREF back = 0xFFFFFF;
        COLORREF hoverBack = 0xFFFFFF;
        COLORREF border = 0xFFFFFF;
        COLORREF disabledBack = 0xFFFFFF;
        COLORREF disabledBorder = 0xFFFFFF;
        COLORREF disabledText = 0xFFFFFF;
    };

protected:
    // Data members
    CToolTipCtrl m_toolTip;
    CGenericPanel m_frame;
    HFONT m_font = nullptr;
    Colours m_colours;
    bool m_numbersOnly = false;
    uint32_t m_minimum = 0;
    uint32_t m_maximum = 0xFFFFFFFF;
    int m_borderWidth = 0;
    CBrush m_backBrush;
    CBrush m_disabledBackBrush;
    HWND m_notifyWnd = nullptr;

public:
    CEditItem() = default;
    ~CEditItem() override = default;

    // Attributes
    bool IsNumbersOnly() const { return m_numbersOnly; }
    const Colours& GetColours() const { return m_colours; }
    const CGenericPanel& GetFrame() const { return m_frame; }

    // Operations
    // The frame at the rectangle grown by the border width, the edit inside it; both are
    // children of the parent, the frame below the edit.
    bool Create(CWnd* parent, const RECT& rect, DWORD style, UINT id, int borderWidth, HFONT font);
    void SetTextColour(COLORREF colour);
    void SetHoverTextColour(COLORREF colour);
    void SetBackColour(COLORREF colour);
    void SetHoverBackColour(COLORREF colour);
    void SetBorderColour(COLORREF colour);
    void SetDisabledBackColour(COLORREF colour);
    void SetDisabledBorderColour(COLORREF colour);
    void SetDisabledTextColour(COLORREF colour);
    void SetNumbersOnly(bool numbersOnly, uint32_t minimum = 0, uint32_t maximum = 0xFFFFFFFF);
    // The window told of changes instead of the parent.
    void SetNotifyWindow(HWND wnd) { m_notifyWnd = wnd; }
    void SetItemToolTipText(const CString& text);
    void Show(bool show) override;

    // In numbers-only mode the filter runs here, before dispatch, so a key it refuses
    // (Enter and Escape among them) never reaches the dialog manager either.
    bool PreTranslateMessage(MSG* msg) override;

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Notify(UINT message);

private:
    bool FiltersOut(UINT message, WPARAM wParam) const;
};
