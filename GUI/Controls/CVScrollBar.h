// Classes in this file:
//   CVScrollBar - a vertical scroll bar drawn from the skin's pictures (top, up arrow, tiled
//                 spine, thumb, down arrow, bottom) that shows and drives the vertical scroll
//                 information of its owner window: the owner gets WM_VSCROLL as from its own
//                 bar and calls UpdateThumb after it scrolled.
#pragma once

#include "CListPanelSettings.h"
#include "CRect.h"
#include "CStatic.h"

// The last first-row position of a scroll range: nMax - nPage + 1 (nMax itself for a page
// of 0), never below nMin. Lists set nMax to the row count - 1 and nPage to the whole rows
// shown, so this is the position that shows the last row at the bottom.
int LastScrollPosition(const SCROLLINFO& info);

class CVScrollBar : public CStatic
{
    // Data members
    HWND m_hOwner = nullptr;
    CVScrollValues m_values;
    COLORREF m_backColour = 0;
    COLORREF m_borderColour = 0xFFFFFF;
    int m_thumbTop = 0;
    int m_grabOffset = 0;
    double m_trackLength = 0.0;
    CRect m_upArrow;
    CRect m_downArrow;
    bool m_upPressed = false;
    bool m_downPressed = false;
    bool m_dragging = false;
    int m_lastSentPosition = -1;

public:
    CVScrollBar() = default;

    // Attributes
    int GetThumbTop() const { return m_thumbTop; }
    int GetThumbHeight() const;
    // The first y of the track (under the top piece and the up arrow).
    int GetTrackTop() const;
    double GetTrackLength() const { return m_trackLength; }
    bool IsDragging() const { return m_dragging; }
    HWND GetOwner() const { return m_hOwner; }

    // Operations
    // A visible child (SS_NOTIFY) at rect in parent, showing owner's vertical scroll
    // information.
    bool Create(const RECT& rect, CWnd* parent, HWND owner, UINT id = 0xFFFF);
    void SetOwner(HWND owner) { m_hOwner = owner; }
    void SetBitmaps(const CVScrollValues& values);
    void SetColours(COLORREF back, COLORREF border);
    // Places the thumb for the owner's scroll position and repaints.
    void UpdateThumb();

    // The thumb's top for a scroll position: the track's top plus the track length in the
    // proportion of the position to the last position; the track's top when nothing
    // scrolls or the position lies outside the range.
    static int ThumbTopFor(const SCROLLINFO& info, int trackTop, double trackLength);
    // The scroll position a thumb top stands for, rounded to the nearest row and kept
    // inside the range; -1 when nothing scrolls.
    static int PositionForThumb(const SCROLLINFO& info, int thumbTop, int trackTop, double trackLength);

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Layout();
    bool OwnerScrollInfo(SCROLLINFO& info) const;
    void SendScroll(int code, int position = 0);
    void OnLButtonDown(POINT point);
    void OnMouseMove(POINT point);
    void OnLButtonUp(POINT point);
    void OnPaint();
    void DrawPicture(HDC target, HDC source, const CBitmap* picture, int y) const;
};
