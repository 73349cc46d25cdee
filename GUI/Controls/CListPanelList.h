// Classes in this file:
//   CListPanelList - the rows of a list panel: a report-view list without a header whose
//                    rows draw themselves, with a hot row under the pointer, second-level
//                    lists that open beside their row, the skinned scroll bar and row tips.
//                    It holds the mouse capture while it lives, so a click anywhere ends
//                    the panel.
#pragma once

#include "CImageList.h"
#include "CListCtrl.h"
#include "CListPanelLevel.h"
#include "CToolTipCtrl.h"

#include <memory>
#include <vector>

class CVScrollBar;

class CListPanelList : public CListCtrl
{
    // Data members
    const CListPanelLevel* m_pLevel;
    std::vector<CString>* m_pResult;
    std::unique_ptr<CVScrollBar> m_pScrollBar;
    CImageList m_rowHeightImages;
    bool m_scrollBarNeeded = false;
    int m_scrollWidth = 0;
    bool m_clicked = false;
    int m_rowHeight = kRowHeight;
    int m_hotRow = -1;
    int m_secondIndex = -1;
    CToolTipCtrl m_toolTip;
    // The row whose tip the tooltip shows; -2 before the first move.
    int m_tipRow = -2;

public:
    // Every list row is this high, forced by a 1-pixel-wide image list of this height.
    static constexpr int kRowHeight = 18;

    CListPanelList(const CListPanelLevel& level, std::vector<CString>* result);
    ~CListPanelList() override;

    // Attributes
    int GetHotRow() const { return m_hotRow; }
    int GetRowHeight() const { return m_rowHeight; }
    CVScrollBar* GetScrollBar() const { return m_pScrollBar.get(); }
    bool IsScrollBarShown() const;
    // The entry a row shows (rows may be sorted).
    const CListEntry* GetRowEntry(int row) const;
    int GetRowEntryIndex(int row) const;
    // Whether a point of the client area lies in the scroll bar's strip right of it.
    virtual bool IsInScrollStrip(int x, int y) const;
    // A list of entryCount rows needs a scroll bar when it is lower than 18 pixels a row.
    static bool NeedsScrollBar(int listHeight, int entryCount) { return listHeight < entryCount * kRowHeight; }

    // Operations
    // Creates the list (and its scroll bar, when the scroll width is not 0) at rect in the
    // panel, fills the rows and takes the mouse capture.
    bool Create(const RECT& rect, CWnd* panel);

    // Shows another level's rows (the inline variant's refill).
    void SetLevel(const CListPanelLevel& level);

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // What the inline variant does otherwise: keep its scroll bar however few rows it has,
    // leave the frame's width free on both sides of the column, wait for the mouse.
    virtual bool KeepsScrollBar() const { return false; }
    virtual int ColumnInset() const { return 0; }
    virtual bool CapturesAtStart() const { return true; }
    // The text and background colours of a row.
    virtual void RowColours(int row, const CListEntry& entry, COLORREF& text, COLORREF& back) const;
    const CListPanelLevel& GetLevel() const { return *m_pLevel; }
    void SetHotRow(int row);
    // Shows the row's tip (or the list's default tip) and passes the mouse message on.
    void TrackTip(int row, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw);

private:
    void CreateScrollBar(const RECT& rect, CWnd* panel);
    void FillRows();
    void ForceRowHeight();
    void OnMouseMove(POINT point, UINT message, WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(POINT point);
    void OpenSubLevel(int row, const CListPanelLevel& subLevel);
    void OnTimer(UINT_PTR id);
    // Ends the panel with the hot row, or without a choice when there is none.
    void FinishClick();
    void OnKillFocus();
    void OnMouseWheel(short delta);
    void OnVScroll(WPARAM wParam);
    void UpdateTip(int row);
    void UpdateThumb();
    void DrawRow(HDC dc, int row);
};
