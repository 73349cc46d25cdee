// The item factory: one builder per skin element, each reading the element with the shared
// value conventions, creating its control inside the owner (or inside the bitmap item its
// windowid names) and filling the item record. A builder returns null when the element has
// no known name; the element is then skipped.
#pragma once

#include "CGUIItems.h"
#include "CWnd.h"

#include <pugixml.hpp>

// The window property under which every item window carries its item id (window items
// never have id 0, the default language's).
constexpr wchar_t kItemIdProperty[] = L"VelmoraItemId";

using ItemBuilder = CGUIItem* (*)(const pugi::xml_node& element, CWnd* owner, CGUIItems& items);

// The builder of an element name; null for an element no builder is registered for.
ItemBuilder FindItemBuilder(const char* element);

// The page's background (id -2) or mask (id -3) from a BACKGROUND or MASK element: a copy
// of its picture; null when the picture does not load.
CGUIItem* BuildPanelBitmap(const pugi::xml_node& element, CWnd* owner, int id);

// The KEYBOARDDEF child of the root into the program's key definitions: needs name and
// file; the defaults file (kbddefaults) is read only after the definitions loaded.
bool LoadKeyboardDefinitions(const pugi::xml_node& root, CWnd* owner);

// The item id stored on an item's window; -1 for a window without one.
int GetItemIdProperty(HWND wnd);
