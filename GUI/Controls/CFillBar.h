// Classes in this file:
//   CFillBar - a progress fill bar: the part left of the fill position in the fill colour,
//              the rest in the background colour.
#pragma once

#include "CStatic.h"

class CFillBar : public CStatic
{
    // Data members
    COLORREF m_fillColour = 0xFFFFFF;
    COLORREF m_backColour = 0;
    int m_fillPosition = 0;
    double m_pixelsPerPercent = 0.0;

public:
    CFillBar() = default;

    // Attributes
    int GetFillPosition() const { return m_fillPosition; }
    double GetPixelsPerPercent() const { return m_pixelsPerPercent; }

    // Operations
    bool Create(const RECT& rect, CWnd* parent, COLORREF fill, COLORREF back);
    // The fill position in pixels, kept inside the bar.
    void SetFillPosition(int pixels);
    // The fill position for a percentage of the bar's width.
    void SetPercent(int percent);

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnPaint();
};
