// The skin page loader: reads one XML page and builds its items into a collection, the
// controls as child windows of the owner.
//
// The root decides the page's kind: KEYBOARD (the key definitions must load), GUIPANEL (the
// BACKGROUND and MASK must build) or ITEMLIST (shared items). Then fifteen steps run in a
// fixed order, each building the entries of one list element; an item a builder returns is
// appended at once, so later entries can name it (windowid, checkboxid, fontid).
#pragma once

#include "CGUIItems.h"
#include "CProgressMessenger.h"
#include "CString.h"
#include "CWnd.h"

// The page file g_exeFolder + "xml\" + name. True when the file was read, its root known and
// the root's requirements met; items built before a failure stay in the collection.
bool LoadGUIPage(CGUIItems& items, const CString& pageFile, CWnd* owner);

// The parser behind LoadGUIPage for a full path, reporting the page name and the progress
// 0, 6, ..., 84, 100 through the messenger.
bool LoadGUIPageFile(CGUIItems* items, const CString& path, CWnd* owner, CProgressMessenger& progress);
