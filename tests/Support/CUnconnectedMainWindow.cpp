#include "CUnconnectedMainWindow.h"

#include "CGUIItem.h"

CUnconnectedMainWindow::CUnconnectedMainWindow(Device** device, IKeypadConfig* config)
    : CVelmoraAppDlg(device, config)
{
}

HWND CUnconnectedMainWindow::ItemWindow(int id) const
{
    CGUIItem* item = m_items.FindItem(id);
    for (int page = 0; !item && page < kPageCount; ++page)
        item = m_pages[page].FindItem(id);
    return item ? item->m_hWnd : nullptr;
}

void CUnconnectedMainWindow::Click(int id)
{
    SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(ItemWindow(id)));
}

void CUnconnectedMainWindow::ConnectDeviceEvents()
{
}
