// Classes in this file:
//   CPanelBitmap - a page's background (item -2) or region mask (item -3): a copy of the
//                  skin picture at its own size, owned by the item.
#pragma once

#include "CBitmap.h"
#include "CGUIItem.h"

class CPanelBitmap : public CBitmap, public CGUIItem
{
public:
    CPanelBitmap() = default;
    ~CPanelBitmap() override = default;
};
