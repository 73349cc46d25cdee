// Classes in this file:
//   CScrollBar - a scroll bar control: its range, page and position.
#pragma once

#include "CWnd.h"

class CScrollBar : public CWnd
{
public:
    // Attributes
    int GetScrollPos() const { return m_hWnd ? ::GetScrollPos(m_hWnd, SB_CTL) : 0; }
    bool GetScrollInfo(SCROLLINFO* info) const
    {
        if (!m_hWnd || !info)
            return false;
        info->cbSize = sizeof(SCROLLINFO);
        return ::GetScrollInfo(m_hWnd, SB_CTL, info) != FALSE;
    }

    // Operations
    // A bar of the style (SBS_VERT or SBS_HORZ with its options).
    bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create(L"ScrollBar", L"", style, rect, parent, id);
    }
    int SetScrollPos(int position, bool redraw = true)
    {
        return m_hWnd ? ::SetScrollPos(m_hWnd, SB_CTL, position, redraw ? TRUE : FALSE) : 0;
    }
    // Sets the fields the info's fMask names; the new position.
    int SetScrollInfo(SCROLLINFO* info, bool redraw = true)
    {
        if (!m_hWnd || !info)
            return 0;
        info->cbSize = sizeof(SCROLLINFO);
        return ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw ? TRUE : FALSE);
    }
};
