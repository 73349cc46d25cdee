#include "ListScrolling.h"

#include "CRect.h"
#include "CVScrollBar.h"

#include <algorithm>

int ForceRowHeight(CListCtrl& list, CImageList& images, int rowHeight, int imageWidth, UINT flags, int initial, int grow)
{
    int measured = rowHeight;
    for (int imageHeight : { rowHeight, rowHeight - 1 })
    {
        CImageList candidate;
        if (!candidate.Create(imageWidth, imageHeight, flags, initial, grow))
            return measured;
        list.SetImageList(candidate, LVSIL_SMALL);
        images = std::move(candidate);
        CRect first;
        if (!list.GetItemRect(0, &first, LVIR_BOUNDS) || first.Height() <= 0)
            return measured;
        measured = first.Height();
        if (measured <= rowHeight)
            return measured;
    }
    return measured;
}

bool ScrollByThumb(CListCtrl& list, WPARAM wParam, int rowHeight)
{
    SCROLLINFO info = {};
    info.fMask = SIF_ALL;
    if (!list.GetScrollInfo(SB_VERT, &info))
        return true;
    const int code = LOWORD(wParam);
    if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK)
    {
        const int wanted = std::min(std::max(static_cast<int>(static_cast<short>(HIWORD(wParam))), info.nMin),
            LastScrollPosition(info));
        list.Scroll(0, (wanted - info.nPos) * rowHeight);
        return true;
    }
    return code == SB_LINEDOWN && info.nPos >= LastScrollPosition(info);
}

void PostWheelLines(CListCtrl& list, short delta)
{
    const int steps = (delta < 0 ? -delta : delta) / WHEEL_DELTA;
    for (int i = 0; i < steps; ++i)
        list.PostMessage(WM_VSCROLL, delta > 0 ? SB_LINEUP : SB_LINEDOWN);
}
