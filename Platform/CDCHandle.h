// Classes in this file:
//   CDCHandle - drawing operations on a device context it does not own.
#pragma once

#include "CRect.h"
#include "CString.h"

#include <windows.h>

class CDCHandle
{
protected:
    // Data members
    HDC m_hDC = nullptr;

public:
    CDCHandle() = default;
    explicit CDCHandle(HDC dc) : m_hDC(dc) {}

    // Attributes
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    bool IsPrinting() const;
    int GetClipBox(RECT* rect) const;
    COLORREF GetBkColor() const;
    int GetMapMode() const;
    CSize GetWindowExt() const;
    CSize GetViewportExt() const;
    CSize GetTextExtent(const CString& text) const;
    bool GetTextMetrics(TEXTMETRICW* metrics) const;

    // Operations
    HGDIOBJ SelectObject(HGDIOBJ object);
    COLORREF SetTextColor(COLORREF color);
    COLORREF SetBkColor(COLORREF color);
    int SetBkMode(int mode);
    int SetMapMode(int mode);
    CSize SetWindowExt(SIZE size);
    CSize SetViewportExt(SIZE size);
    CPoint SetWindowOrg(int x, int y);
    bool LPtoDP(RECT* rect) const;
    bool DPtoLP(RECT* rect) const;

    bool BitBlt(int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop);
    bool StretchBlt(int x, int y, int width, int height, HDC source, int sx, int sy, int sw, int sh, DWORD rop);
    // Blends the source over this DC with one alpha for every pixel (0 transparent, 255 opaque).
    bool AlphaBlend(int x, int y, int width, int height, HDC source, int sx, int sy, int sw, int sh, BYTE alpha);
    void FillSolidRect(const RECT& rect, COLORREF color);
    bool FillRect(const RECT& rect, HBRUSH brush);
    bool Rectangle(const RECT& rect);
    // A 3-D edge (EDGE_RAISED, ...) on the sides the flags name (BF_RECT, ...); with
    // BF_ADJUST the rectangle shrinks to the inside of the edge.
    bool DrawEdge(RECT* rect, UINT edge, UINT flags);
    // A one-pixel frame: top and left in one colour, right and bottom in the other.
    void Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight);
    bool MoveTo(int x, int y);
    bool LineTo(int x, int y);
    // Draws a copy of the text, so that DT_MODIFYSTRING never writes into the caller's
    // string; returns the text height as DrawTextW does.
    int DrawText(const CString& text, RECT* rect, UINT format);
};
