// Classes in this file:
//   CDMarker - the level marker (DMARKER element): an "empty" picture with the left part
//              of a "full" picture over it up to the value; dragging sets the value, and
//              every release reports it to the owner with WM_GUI_MARKER_CHANGED.
#pragma once

#include "CBitmap.h"
#include "CGUIItem.h"
#include "CRect.h"
#include "CWnd.h"

class CDMarker : public CWnd, public CGUIItem
{
public:
    // The window part's handle; the item record keeps its own copy.
    using CWnd::m_hWnd;

private:
    // Data members
    CRect m_rect;
    HWND m_hOwner = nullptr;
    int m_min = 0;
    int m_max = 10;
    int m_value = 0;
    bool m_enabled = true;
    bool m_dragging = false;
    CBitmap m_empty;
    CBitmap m_full;

public:
    CDMarker() = default;
    ~CDMarker() override;

    // Attributes
    int GetValue() const { return m_value; }
    bool IsDragging() const { return m_dragging; }
    // The width of the full part for the value, of a marker width wide.
    static int FillWidth(int width, int value, int min, int max);
    // The value at an x of the owner, for a marker from left to right.
    static int ValueAt(int x, int left, int right, int min, int max);

    // Operations
    // A visible child of owner at rect (tab stop, the item id as control id).
    bool Create(const RECT& rect, CWnd* owner);
    // Cuts both pictures to the marker's size.
    void SetBitmaps(const CBitmap* empty, const CBitmap* full);
    void SetRange(int min, int max);
    void SetValue(int value);
    void SetEnabled(bool enabled) { m_enabled = enabled; }

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void TakeValueAt(int x, int y);
    void OnLButtonUp(int x, int y);
    void OnPaint();
};
