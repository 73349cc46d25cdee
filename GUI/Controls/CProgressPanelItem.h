// Classes in this file:
//   CProgressPanelItem - a PROGRESSPANELITEM of a page: a progress panel window with the item
//                        record, found by item id (its record carries no window handle).
#pragma once

#include "CGUIItem.h"
#include "CProgressPanel.h"

class CProgressPanelItem : public CProgressPanel, public CGUIItem
{
public:
    // The window part's handle; the item record keeps its own (none).
    using CProgressPanel::m_hWnd;

    CProgressPanelItem() = default;
    ~CProgressPanelItem() override = default;
};
