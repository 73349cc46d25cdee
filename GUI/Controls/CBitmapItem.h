// Classes in this file:
//   CBitmapItem - a plain skin bitmap in a window of its own (BITMAPITEM element); other
//                 controls may be created inside it (windowid), and it passes their
//                 commands on to its own parent.
#pragma once

#include "CBitmap.h"
#include "CGUIItem.h"
#include "CToolTipCtrl.h"
#include "CWnd.h"

class CBitmapItem : public CWnd, public CGUIItem
{
public:
    // The window part's handle; the item record keeps its own copy.
    using CWnd::m_hWnd;

    // Data members
    const CBitmap* m_pBitmap = nullptr;
    CToolTipCtrl m_toolTip;

public:
    CBitmapItem() = default;
    ~CBitmapItem() override = default;

    // Operations
    bool Create(const RECT& rect, CWnd* parent, DWORD style);
    // The picture is the store's and drawn at the client size; a mask gives the region.
    void SetBitmap(const CBitmap* bitmap, const CBitmap* mask);
    void SetItemToolTipText(const CString& text);

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnPaint();
    void DrawBitmap(HDC target);
};
