// What the skinned report-view lists share for their rows: the row height forced by an image
// list, and scrolling by whole rows from the skinned scroll bar and the wheel.
#pragma once

#include "CImageList.h"
#include "CListCtrl.h"

// Shows an image list of the row height as the list's small images (one pixel lower when
// the list view pads the rows) and keeps it in images; the rows' measured height, or
// rowHeight while the list has no row to measure.
int ForceRowHeight(CListCtrl& list, CImageList& images, int rowHeight, int imageWidth, UINT flags = ILC_COLOR32,
    int initial = 0, int grow = 1);

// A WM_VSCROLL the list handles itself: a thumb position or track scrolls by whole rows to
// the row it stands for (kept inside the range), and a line down at the last position does
// nothing. False for every other code, which the list view's own handling scrolls.
bool ScrollByThumb(CListCtrl& list, WPARAM wParam, int rowHeight);

// Posts the list one line up or down for every 120 units of wheel movement.
void PostWheelLines(CListCtrl& list, short delta);
