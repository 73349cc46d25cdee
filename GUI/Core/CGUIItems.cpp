#include "CGUIItems.h"

#include <memory>

CGUIItem* CGUIItems::FindItem(int id) const
{
    for (CGUIItem* item : m_items) {
        if (item->m_id == id)
            return item;
    }
    return nullptr;
}

CGUIItem* CGUIItems::FindItemByHwnd(HWND wnd) const
{
    if (!wnd)
        return nullptr;
    for (CGUIItem* item : m_items) {
        if (item->m_hWnd == wnd)
            return item;
    }
    return nullptr;
}

void CGUIItems::Add(CGUIItem* item)
{
    if (!item)
        return;
    // The item is owned from here on, also when the vector cannot grow.
    std::unique_ptr<CGUIItem> owned(item);
    m_items.push_back(item);
    owned.release();
}

void CGUIItems::ShowAll(bool show)
{
    for (CGUIItem* item : m_items)
        item->Show(show);
}

void CGUIItems::DeleteAll()
{
    while (!m_items.empty()) {
        CGUIItem* item = m_items.back();
        m_items.pop_back();
        delete item;
    }
}
