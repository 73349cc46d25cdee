#include "CVelmoraPopupBox.h"

#include "AppItemIds.h"

bool CVelmoraPopupBox::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0)
        return CPopupBox::OnCommand(wParam, lParam);
    CGUIItem* item = m_items.FindItemByHwnd(reinterpret_cast<HWND>(lParam));
    if (!item)
        return true;
    if (item->m_id == BUTTON_POPUP_OK)
    {
        OnOK();
        return true;
    }
    if (item->m_id == BUTTON_POPUP_CANCEL)
    {
        OnCancel();
        return true;
    }
    return OnItemCommand(*item, wParam, lParam);
}

bool CVelmoraPopupBox::OnItemCommand(CGUIItem&, WPARAM wParam, LPARAM lParam)
{
    return CPopupBox::OnCommand(wParam, lParam);
}
