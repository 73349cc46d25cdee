// Classes in this file:
//   CVScrollValues     - the skin's scroll-bar pictures (VSCROLL) and its border width.
//   CListPanelSettings - how a list panel looks: size, font, colours, border, margins and
//                        scroll bar; kept by list panel items and drop-downs and handed to
//                        the panels they open.
#pragma once

#include "ListDrawing.h"

#include <windows.h>

class CBitmap;

class CVScrollValues
{
public:
    // Data members
    const CBitmap* m_pTop = nullptr;
    const CBitmap* m_pUpArrow = nullptr;
    const CBitmap* m_pSpine = nullptr;
    const CBitmap* m_pThumb = nullptr;
    const CBitmap* m_pDownArrow = nullptr;
    const CBitmap* m_pBottom = nullptr;
    int m_borderWidth = 0;

    // Attributes
    // The bar's width: the border width plus the widest picture.
    int GetBarWidth() const;
};

class CListPanelSettings
{
public:
    // Data members
    int m_width = 0;
    int m_defaultHeight = 0;
    HFONT m_font = nullptr;
    ListColourSet m_colours;
    int m_borderWidth = 1;
    // 0: never a scroll bar.
    int m_scrollWidth = 0;
    int m_leftMargin = 0;
    int m_rightMargin = 0;
    CVScrollValues m_scroll;
    // Rows sorted by entry text, ignoring case.
    bool m_sorted = false;
    // The tip of a row without one of its own; none when empty.
    CString m_defaultTipText;
};
