// Classes in this file:
//   CHeaderCtrl - a header control (a list view's column header): its items with their
//                 text, format, image and width, their rectangles and display order, and its
//                 image list. Each wrapper is one message to the control.
#pragma once

#include "CWnd.h"

#include <commctrl.h>

class CHeaderCtrl : public CWnd
{
public:
    // Attributes
    int GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
    // The item's fields named by item->mask; false for an item that does not exist.
    bool GetItem(int index, HDITEMW* item) const;
    bool GetItemRect(int index, RECT* rect) const;
    // The item shown at a display position; the position itself without reordering.
    int OrderToIndex(int order) const { return static_cast<int>(SendMessage(HDM_ORDERTOINDEX, static_cast<WPARAM>(order))); }
    HIMAGELIST GetImageList() const { return reinterpret_cast<HIMAGELIST>(SendMessage(HDM_GETIMAGELIST)); }
    // The item under a point of the client area; -1 for none.
    int HitTest(POINT point) const;

    // Operations
    bool SetItem(int index, const HDITEMW* item);
    // Shows the image list; the caller keeps owning it.
    HIMAGELIST SetImageList(HIMAGELIST list)
    {
        return reinterpret_cast<HIMAGELIST>(SendMessage(HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list)));
    }
};
