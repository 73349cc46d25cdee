// Classes in this file:
//   CListPanelStatic - the rows of a list panel item shown inline on a page: framed, with
//                      its scroll bar whenever the item has one, a hot row under the pointer
//                      and a selected row; a click on a row that is not disabled tells the
//                      page with WM_GUI_LISTPANELSTATIC_CLICK.
#pragma once

#include "CListPanelList.h"

class CListPanelStatic : public CListPanelList
{
    // Data members
    int m_itemId;
    int m_borderFloor = 0;
    int m_borderCeiling = 1;
    int m_selection = -1;

public:
    CListPanelStatic(const CListPanelLevel& level, int itemId);

    // Attributes
    int GetSelection() const { return m_selection; }

    // Operations
    // The selected row, drawn in the selection colours; -1 for none.
    void SetSelection(int row);

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool KeepsScrollBar() const override { return true; }
    int ColumnInset() const override { return m_borderFloor + m_borderCeiling; }
    bool CapturesAtStart() const override { return false; }
    void RowColours(int row, const CListEntry& entry, COLORREF& text, COLORREF& back) const override;

private:
    void OnMouseMove(POINT point);
    void OnLButtonDown(POINT point);
    void DrawFrame(HDC dc);
};
