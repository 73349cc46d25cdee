// What every skinned list and drop-down shares when it draws: display texts through the
// active language, and colours from a skin colour set by slot number.
#pragma once

#include "CString.h"

#include <windows.h>

#include <map>

// The colour slots of a COLOURSET, by number.
enum tListColourSlot : int
{
    LISTCLR_FONT = 1,
    LISTCLR_FONT_HI = 2,
    LISTCLR_FONT_SEL = 3,
    LISTCLR_FONT_DISABLED = 4,
    LISTCLR_BACK = 5,
    LISTCLR_BACK_HI = 6,
    LISTCLR_BACK_SEL = 7,
    LISTCLR_BACK_DISABLED = 8,
    LISTCLR_DRAW = 9,
    LISTCLR_DRAW_HI = 10,
    LISTCLR_DRAW_SEL = 11,
    LISTCLR_DRAW_DISABLED = 12,
    LISTCLR_BORDER = 13,
    LISTCLR_BORDER_HI = 14,
    LISTCLR_BORDER_SEL = 15,
    LISTCLR_BORDER_DISABLED = 16,
};
constexpr int kListColourSlotCount = 16;

using ListColourSet = std::map<int, COLORREF>;

// The active language's text for the text taken as a key; the text itself when there is
// no active table or the table does not know it.
CString TranslateText(const CString& text);

// The slot's colour from the set; without it 0x333333 for the disabled slots (4, 8, 12,
// 16), black for the backgrounds (5, 6, 7) and white for every other slot.
COLORREF GetListColour(const ListColourSet& colours, int slot);
// The slot's colour from the set, white when the set lacks it.
COLORREF GetListColourOrWhite(const ListColourSet& colours, int slot);
// Copies a colour set entry by entry; an entry of slot 0 is skipped.
ListColourSet CopyColourSet(const ListColourSet& colours);
