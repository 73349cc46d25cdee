// Classes in this file:
//   CFOColorCellObj - one cell of the colour palette: its rectangle and colour, drawn as the
//                     colour inset by a pixel on black and framed, with a white and black
//                     frame when it is the selected cell.
#pragma once

#include "CBrush.h"
#include "CRect.h"

class CFOColorCellObj
{
    // Data members
    CRect m_rect;
    COLORREF m_color = RGB(255, 255, 255);
    CBrush m_brush;
    int m_inset = 1;
    COLORREF m_frameColor = 0;

public:
    CFOColorCellObj() = default;
    virtual ~CFOColorCellObj() = default;
    CFOColorCellObj(const CFOColorCellObj&) = delete;
    CFOColorCellObj& operator=(const CFOColorCellObj&) = delete;

    // Attributes
    const CRect& GetRect() const { return m_rect; }
    COLORREF GetColor() const { return m_color; }
    COLORREF GetFrameColor() const { return m_frameColor; }

    // Operations
    void SetRect(const RECT& rect) { m_rect = rect; }
    // A new colour drops the cached brush.
    void SetColor(COLORREF color);
    void SetFrameColor(COLORREF color) { m_frameColor = color; }
    // The point lies in the cell's rectangle, its inset gap included.
    virtual bool HitTest(int x, int y) const;
    virtual void Draw(HDC dc);
    virtual void DrawSelected(HDC dc);

protected:
    // Implementation
    // The cell's brush, made on first use; null when it cannot be made.
    HBRUSH PrepareBrush();
};
