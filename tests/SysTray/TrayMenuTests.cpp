#include "TrayMenu.h"

#include "CLangTable.h"
#include "SysTrayResource.h"

#include <gtest/gtest.h>

namespace
{
CStringArray Names(std::initializer_list<const wchar_t*> names)
{
    CStringArray array;
    for (const wchar_t* name : names)
        array.Add(name);
    return array;
}

// The texts of a sub-menu's items, "-" for a separator, "[x] " before a checked one.
std::vector<std::wstring> Describe(CMenuHandle popup)
{
    std::vector<std::wstring> items;
    for (int i = 0; i < popup.GetItemCount(); ++i)
    {
        const UINT state = popup.GetItemState(i);
        if (state & MF_SEPARATOR)
        {
            items.push_back(L"-");
            continue;
        }
        std::wstring text = (state & MF_CHECKED) ? L"[x] " : L"";
        items.push_back(text + popup.GetItemText(i).Str());
    }
    return items;
}
}

TEST(TrayMenuModel, CloseCommandFollowsTheProfileCount)
{
    struct Case
    {
        const char* description;
        CStringArray names;
        UINT closeCommand;
        size_t itemCount;
    };
    const Case cases[] = {
        { "three profiles: three items, a separator and close", Names({ L"A", L"B", L"C" }), 32774, 5 },
        { "one profile", Names({ L"A" }), 32772, 3 },
        { "no profile: close alone, no second separator", Names({}), 32771, 1 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.description);
        const TrayMenuModel model = BuildTrayMenuModel(c.names, L"A", L"Close Tray Icon");
        EXPECT_EQ(model.closeCommand, c.closeCommand);
        ASSERT_EQ(model.items.size(), c.itemCount);
        EXPECT_EQ(model.items.back().id, c.closeCommand);
        EXPECT_FALSE(model.items.back().separator);
        for (int i = 0; i < c.names.GetSize(); ++i)
            EXPECT_EQ(model.items[static_cast<size_t>(i)].id, 1000u + static_cast<UINT>(i));
    }
}

TEST(TrayMenuModel, ClosesWithAnIdOtherThanLoad)
{
    EXPECT_NE(GetCloseCommand(0), static_cast<UINT>(ID_LOAD_VELMORA));
    EXPECT_NE(BuildTrayMenuModel(CStringArray(), L"", L"Close").closeCommand, static_cast<UINT>(ID_LOAD_VELMORA));
}

TEST(TrayMenuModel, ChecksOnlyTheExactActiveName)
{
    const TrayMenuModel model = BuildTrayMenuModel(Names({ L"game", L"Game", L"Other" }), L"Game", L"Close");
    ASSERT_GE(model.items.size(), 3u);
    EXPECT_FALSE(model.items[0].checked);
    EXPECT_TRUE(model.items[1].checked);
    EXPECT_FALSE(model.items[2].checked);
}

TEST(TrayMenuModel, ChecksNothingWithoutAnActiveName)
{
    const TrayMenuModel model = BuildTrayMenuModel(Names({ L"A", L"B" }), L"", L"Close");
    for (const TrayMenuItem& item : model.items)
        EXPECT_FALSE(item.checked);
}

TEST(TrayMenu, LoadsTheTemplateAndAppendsTheModel)
{
    CLangTable* saved = g_pLangTable;
    g_pLangTable = nullptr;
    CMenu menu;
    ASSERT_TRUE(LoadTrayMenu(menu, BuildTrayMenuModel(Names({ L"One", L"Two" }), L"Two", L"Close Tray Icon")));
    const std::vector<std::wstring> expected = { L"Load Velmora", L"-", L"One", L"[x] Two", L"-", L"Close Tray Icon" };
    EXPECT_EQ(Describe(menu.GetSubMenu(0)), expected);
    EXPECT_EQ(menu.GetSubMenu(0).GetDefaultItem(), static_cast<UINT>(ID_LOAD_VELMORA));
    EXPECT_EQ(menu.GetSubMenu(0).GetItemId(5), 32773u);
    g_pLangTable = saved;
}

TEST(TrayMenu, WithoutProfilesHasOneSeparator)
{
    CMenu menu;
    ASSERT_TRUE(LoadTrayMenu(menu, BuildTrayMenuModel(CStringArray(), L"", L"Close Tray Icon")));
    const std::vector<std::wstring> expected = { L"Load Velmora", L"-", L"Close Tray Icon" };
    EXPECT_EQ(Describe(menu.GetSubMenu(0)), expected);
    EXPECT_EQ(menu.GetSubMenu(0).GetItemId(2), 32771u);
}

TEST(TrayMenu, TranslatesLoadWhenTheLanguageHasIt)
{
    CLangTable table;
    const std::wstring file = std::wstring(L"French\r\nx\r\nLoad^\r\nOuvrir Velmora\r\nEND OF FILE\r\n");
    ASSERT_TRUE(table.ParseFile(reinterpret_cast<const uint8_t*>(file.c_str()),
        static_cast<int>(file.size() * sizeof(wchar_t))));
    CLangTable* saved = g_pLangTable;
    g_pLangTable = &table;
    CMenu menu;
    const bool loaded = LoadTrayMenu(menu, BuildTrayMenuModel(CStringArray(), L"", GetTrayText(L"$CloseTrayIcon",
        L"Close Tray Icon")));
    g_pLangTable = saved;
    ASSERT_TRUE(loaded);
    EXPECT_EQ(menu.GetSubMenu(0).GetItemText(0), L"Ouvrir Velmora");
    EXPECT_EQ(menu.GetSubMenu(0).GetItemText(2), L"Close Tray Icon");
}
