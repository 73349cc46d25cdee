#include "ListDrawing.h"

#include "CLangTable.h"

CString TranslateText(const CString& text)
{
    CString shown;
    LookupText(text, shown);
    return shown;
}

COLORREF GetListColour(const ListColourSet& colours, int slot)
{
    const auto found = colours.find(slot);
    if (found != colours.end())
        return found->second;
    switch (slot)
    {
    case LISTCLR_FONT_DISABLED:
    case LISTCLR_BACK_DISABLED:
    case LISTCLR_DRAW_DISABLED:
    case LISTCLR_BORDER_DISABLED:
        return 0x333333;
    case LISTCLR_BACK:
    case LISTCLR_BACK_HI:
    case LISTCLR_BACK_SEL:
        return 0;
    default:
        return 0xFFFFFF;
    }
}

COLORREF GetListColourOrWhite(const ListColourSet& colours, int slot)
{
    const auto found = colours.find(slot);
    return found != colours.end() ? found->second : 0xFFFFFF;
}

ListColourSet CopyColourSet(const ListColourSet& colours)
{
    ListColourSet copy;
    for (const auto& entry : colours)
        if (entry.first != 0)
            copy.insert(entry);
    return copy;
}
