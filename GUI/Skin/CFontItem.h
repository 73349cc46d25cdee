// Classes in this file:
//   CFontItem - a FONT element of a page: a GDI font the item owns, found by the items that
//               name it in fontid.
#pragma once

#include "CFont.h"
#include "CGUIItem.h"

class CFontItem : public CFont, public CGUIItem
{
public:
    CFontItem() = default;
    ~CFontItem() override = default;
};
