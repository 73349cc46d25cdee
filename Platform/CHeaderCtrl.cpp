#include "CHeaderCtrl.h"

bool CHeaderCtrl::GetItem(int index, HDITEMW* item) const
{
    return item && SendMessage(HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)) != 0;
}

bool CHeaderCtrl::GetItemRect(int index, RECT* rect) const
{
    return rect && SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)) != 0;
}

int CHeaderCtrl::HitTest(POINT point) const
{
    if (!m_hWnd)
        return -1;
    HDHITTESTINFO info = {};
    info.pt = point;
    SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
    return (info.flags & (HHT_ONHEADER | HHT_ONDIVIDER | HHT_ONDIVOPEN)) ? info.iItem : -1;
}

bool CHeaderCtrl::SetItem(int index, const HDITEMW* item)
{
    return item && SendMessage(HDM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)) != 0;
}
