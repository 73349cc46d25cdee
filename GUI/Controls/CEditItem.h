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

protected:
    // Data members
    CToolTipCtrl m_toolTip;
    CGenericPanel m_frame;
    HFONT m_font = nullptr;
    COLORREF m_textColour = 0xFFFFFF;
    COLORREF m_disabledTextColour = 0xFFFFFF;
    COLORREF m_backColour = 0xFFFFFF;
    COLORREF m_disabledBackColour = 0xFFFFFF;
    COLORREF m_borderColour = 0xFFFFFF;
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
    const CGenericPanel& GetFrame() const { return m_frame; }

    // Operations
    // The frame at the rectangle grown by the border width, the edit inside it; both are
    // children of the parent, the frame below the edit.
    bool Create(CWnd* parent, const RECT& rect, DWORD style, UINT id, int borderWidth, HFONT font);
    void SetColours(COLORREF text, COLORREF back, COLORREF border);
    void SetDisabledColours(COLORREF text, COLORREF back);
    void SetNumbersOnly(bool numbersOnly, uint32_t minimum = 0, uint32_t maximum = 0xFFFFFFFF);
    // The window told of changes instead of the parent.
    void SetNotifyWindow(HWND wnd) { m_notifyWnd = wnd; }
    void SetItemToolTipText(const CString& text);
    void Show(bool show) override;

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Notify(UINT message);

private:
    bool FiltersOut(UINT message, WPARAM wParam) const;
};
