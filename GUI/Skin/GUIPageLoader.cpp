#include "GUIPageLoader.h"

#include "CLangTable.h"
#include "ExeFolder.h"
#include "ItemBuilders.h"

#include <pugixml.hpp>

#include <memory>
#include <vector>

namespace
{
// One step of the skin driver: the list element and the entries it builds, in this order.
struct LoadStep
{
    const char* label;
    const char* list;
    std::vector<const char*> entries;
    // Only the first entry of the first name is built (the one animated button).
    const char* firstOnly;
};

const std::vector<LoadStep>& Steps()
{
    static const std::vector<LoadStep> steps = {
        { "LANGUAGES", "LANGLIST", { "LANG" }, nullptr },
        { "KEYBOARD DEF", nullptr, {}, nullptr },
        { "KEYBOARD LAYOUTS", "KBLAYOUTLIST", { "KBLAYOUT" }, nullptr },
        { "FONTS", "FONTLIST", { "FONT" }, nullptr },
        { "BITMAPS", "BITMAPLIST", { "BITMAPITEM", "SLIDERTRACK", "BITMAPWINDOW" }, nullptr },
        { "BUTTONS", "BUTTONLIST", { "BUTTON" }, "AVIBUTTON" },
        { "SLIDERS", "SLIDERLIST", { "VSLIDER", "HSLIDERM", "HSLIDERMAPM", "DMARKER" }, nullptr },
        { "TEXT ITEMS", "TEXTLIST", { "TEXTITEM" }, nullptr },
        { "DPI STAGE WINDOWS", "DPISTAGELIST", { "DPISTAGEWINDOW" }, nullptr },
        { "MACRO DISPLAYS", "MACRODISPLAYLIST", { "MACRODISPLAY" }, nullptr },
        { "LISTS", "LISTLIST", { "LISTCTRL", "COMBO", "COMBOCOLOR" }, nullptr },
        { "LIST PANELS", "LISTPANELLIST", { "LISTPANEL" }, nullptr },
        { "EDIT CONTROLS", "EDITCTRLLIST", { "EDITCTRL", "EDITCTRLSK", "EDITCTRLSKMMO" }, nullptr },
        { "KEYBOARD KEYS", "KBDKEYLIST", { "KBDKEY" }, nullptr },
        { "PROGRESS PANELS", "PROGRESSPANELLIST", { "PROGRESSPANELITEM" }, nullptr },
    };
    return steps;
}

CGUIItem* BuildEntry(const pugi::xml_node& entry, CWnd* owner, CGUIItems& items)
{
    ItemBuilder builder = FindItemBuilder(entry.name());
    CGUIItem* item = builder ? builder(entry, owner, items) : nullptr;
    if (item)
        items.Add(item);
    return item;
}

void RunStep(const LoadStep& step, const pugi::xml_node& root, CGUIItems& items, CWnd* owner)
{
    if (!step.list)
    {
        LoadKeyboardDefinitions(root, owner);
        return;
    }
    const pugi::xml_node list = root.child(step.list);
    if (!list)
        return;
    for (const char* name : step.entries)
    {
        for (pugi::xml_node entry = list.child(name); entry; entry = entry.next_sibling(name))
        {
            CGUIItem* item = BuildEntry(entry, owner, items);
            // Every language table is also listed by its language id.
            if (item && item->m_kind == GUIKIND_LANG)
                g_langTables[item->m_id] = static_cast<CLangTable*>(item);
        }
    }
    if (step.firstOnly)
    {
        const pugi::xml_node first = list.child(step.firstOnly);
        if (first)
            BuildEntry(first, owner, items);
    }
}

void RunSkinDriver(CProgressMessenger& progress, const pugi::xml_node& root, CGUIItems& items, CWnd* owner)
{
    const std::vector<LoadStep>& steps = Steps();
    for (size_t k = 0; k < steps.size(); ++k)
    {
        progress.SendProgress(static_cast<int>(6 * k));
        RunStep(steps[k], root, items, owner);
    }
    progress.SendProgress(100);
}

bool BuildPanelBitmaps(const pugi::xml_node& root, CGUIItems& items, CWnd* owner)
{
    // Both are built before either is kept: a page without its mask builds nothing.
    std::unique_ptr<CGUIItem> background(BuildPanelBitmap(root.child("BACKGROUND"), owner, kBackgroundItemId));
    std::unique_ptr<CGUIItem> mask(background ? BuildPanelBitmap(root.child("MASK"), owner, kMaskItemId) : nullptr);
    if (!background || !mask)
        return false;
    items.Add(background.release());
    items.Add(mask.release());
    return true;
}
}

bool LoadGUIPage(CGUIItems& items, const CString& pageFile, CWnd* owner)
{
    CProgressMessenger progress;
    return LoadGUIPageFile(&items, g_exeFolder + L"xml\\" + pageFile, owner, progress);
}

bool LoadGUIPageFile(CGUIItems* items, const CString& path, CWnd* owner, CProgressMessenger& progress)
{
    if (!items)
        return false;
    pugi::xml_document document;
    if (!document.load_file(path.GetString()))
        return false;
    progress.SendProgressText(path.Mid(path.ReverseFind(L'\\') + 1));

    if (const pugi::xml_node root = document.child("KEYBOARD"))
    {
        if (!LoadKeyboardDefinitions(root, owner))
            return false;
        RunSkinDriver(progress, root, *items, owner);
        return true;
    }
    if (const pugi::xml_node root = document.child("GUIPANEL"))
    {
        if (!BuildPanelBitmaps(root, *items, owner))
            return false;
        RunSkinDriver(progress, root, *items, owner);
        return true;
    }
    if (const pugi::xml_node root = document.child("ITEMLIST"))
    {
        RunSkinDriver(progress, root, *items, owner);
        return true;
    }
    return false;
}
