// Classes in this file:
//   CGenericPanel - a bordered panel: a fill colour (or a bitmap) framed by a border of a
//                   given width; the edit items draw their frame with it.
#pragma once

#include "CBitmap.h"
#include "CStatic.h"

class CGenericPanel : public CStatic
{
    // Data members
    COLORREF m_fillColour = 0;
    COLORREF m_borderColour = 0xFFFFFF;
    int m_borderWidth = 0;
    const CBitmap* m_pBitmap = nullptr;

public:
    CGenericPanel() = default;

    // Attributes
    int GetBorderWidth() const { return m_borderWidth; }

    // Operations
    // A panel at the rectangle; with a bitmap smaller than the rectangle the bitmap is
    // centred, otherwise the panel takes the bitmap's size. A mask gives the region.
    bool Create(const RECT& rect, CWnd* parent, int borderWidth, const CBitmap* bitmap = nullptr,
        const CBitmap* mask = nullptr);
    void SetColours(COLORREF fill, COLORREF border);
    // The client area inside the border, in the panel's parent's coordinates.
    CRect GetInnerRect() const;

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnPaint();
};
