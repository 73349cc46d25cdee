// Classes in this file:
//   CBmpInfo - the four-state picture record of a BMPINFO element: the pictures a control
//              draws in place of its text, one per state, with an optional mask and the
//              rectangle they are drawn in.
#pragma once

#include "CBitmap.h"
#include "CRect.h"

#include <windows.h>

class CBmpInfo
{
public:
    // The picture slots, in the order of the skin's state children.
    enum State
    {
        kNormal,
        kHover,
        kPressed,
        kDisabled,
        kStateCount
    };

    // Data members
    // Item id of the record's name.
    int m_id = -1;
    // The skin store's pictures (SBMN, SBMO, SBMD, SBMDS); null where the skin gives none.
    const CBitmap* m_pictures[kStateCount] = {};
    // SBMM: black where the picture shows, white where what lies under it shows.
    const CBitmap* m_pMask = nullptr;
    // Where the picture goes, in the control's client coordinates.
    CRect m_rect;

    // Operations
    // The picture of a state, taken in the order disabled, pressed, hover, normal; the
    // normal picture stands in for a state the skin gives none for.
    const CBitmap* Picture(bool disabled, bool pressed, bool hover) const;
    // Draws the state's picture into the rectangle, through the mask when there is one.
    void Draw(HDC dc, bool disabled, bool pressed, bool hover) const;
};
