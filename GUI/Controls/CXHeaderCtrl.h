// Classes in this file:
//   CXHeaderCtrl - the column header of the multi-column list: paints itself in the skin's
//                  flat style (image, bitmap and translated text per item, separator lines
//                  and a frame) and can never be resized; it shows each column's tip.
#pragma once

#include "CHeaderCtrl.h"
#include "CToolTipCtrl.h"

#include <vector>

class CXHeaderCtrl : public CHeaderCtrl
{
    // Data members
    bool m_doubleBuffered = true;
    int m_spacing = 6;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
    COLORREF m_darkLine = 0;
    COLORREF m_lightLine = 0xFEFEFE;
    COLORREF m_backColour = 0;
    COLORREF m_textColour = 0xFFFFFF;
    CToolTipCtrl* m_pToolTip = nullptr;
    std::vector<CString> m_tips;
    // The item whose tip the tooltip shows; -2 before the first move.
    int m_tipItem = -2;

public:
    CXHeaderCtrl() = default;

    // Attributes
    COLORREF GetBackColour() const { return m_backColour; }
    COLORREF GetTextColour() const { return m_textColour; }
    int GetImageWidth() const { return m_imageWidth; }
    int GetImageHeight() const { return m_imageHeight; }

    // Operations
    void SetColours(COLORREF back, COLORREF text, COLORREF darkLine, COLORREF lightLine);
    void SetDoubleBuffered(bool doubleBuffered) { m_doubleBuffered = doubleBuffered; }
    // The tooltip the header shows its items' tips in (tool 1 on the header's client area).
    void SetToolTip(CToolTipCtrl* toolTip);
    // The tip of an item; literal "\n" pairs are shown as blanks.
    void SetItemTip(int index, const CString& tip);

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The hook for items drawn by their owner (HDF_OWNERDRAW): the skin has none, so it
    // draws nothing.
    virtual void DrawItem(DRAWITEMSTRUCT* item);
    // Draws every other item into its rectangle.
    virtual void DrawHeaderItem(HDC dc, int index, const RECT& rect);

private:
    void OnPaint();
    void PaintItems(HDC dc, const CRect& update);
    void OnMouseMove(UINT message, WPARAM wParam, LPARAM lParam);
};
