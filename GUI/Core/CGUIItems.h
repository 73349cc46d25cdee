// Classes in this file:
//   CGUIItems - the items of one page in the order the loader created them; owns them all.
#pragma once

#include "CGUIItem.h"

#include <vector>

class CGUIItems
{
    // Data members
    std::vector<CGUIItem*> m_items;

public:
    CGUIItems() = default;
    ~CGUIItems() { DeleteAll(); }
    CGUIItems(const CGUIItems&) = delete;
    CGUIItems& operator=(const CGUIItems&) = delete;

    // Attributes
    int GetCount() const { return static_cast<int>(m_items.size()); }
    CGUIItem* GetAt(int index) const { return m_items.at(index); }

    // The first item with that id, in creation order; null when there is none.
    CGUIItem* FindItem(int id) const;
    // The first item whose window is that handle; null for a null handle or none.
    CGUIItem* FindItemByHwnd(HWND wnd) const;
    // The item with that id when it is of that kind, as the whole object it belongs to.
    template <class T>
    T* FindItemOfKind(int id, int kind) const
    {
        CGUIItem* item = FindItem(id);
        if (!item || item->m_kind != kind)
            return nullptr;
        return dynamic_cast<T*>(item);
    }

    // Operations
    // Takes ownership of the item and appends it.
    void Add(CGUIItem* item);
    void ShowAll(bool show);
    // Deletes every item, from the last to the first.
    void DeleteAll();
};
