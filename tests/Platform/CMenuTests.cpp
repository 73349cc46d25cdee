#include "CMenu.h"

#include <gtest/gtest.h>

TEST(CMenu, AppendsChecksAndRenamesByCommand)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 10, L"First"));
    ASSERT_TRUE(menu.AppendMenu(MF_SEPARATOR));
    ASSERT_TRUE(menu.AppendMenu(MF_STRING | MF_CHECKED, 11, L"Second"));
    EXPECT_EQ(menu.GetItemCount(), 3);
    EXPECT_EQ(menu.GetItemId(0), 10u);
    EXPECT_EQ(menu.GetItemId(1), 0u);
    EXPECT_TRUE(menu.GetItemState(1) & MF_SEPARATOR);
    EXPECT_TRUE(menu.GetItemState(2) & MF_CHECKED);
    EXPECT_FALSE(menu.GetItemState(0) & MF_CHECKED);
    EXPECT_TRUE(menu.SetItemTextByCommand(11, L"Renamed"));
    EXPECT_EQ(menu.GetItemText(2), L"Renamed");
    EXPECT_TRUE(menu.GetItemState(2) & MF_CHECKED);
    EXPECT_FALSE(menu.SetItemTextByCommand(99, L"None"));
}

TEST(CMenu, DefaultItemIsFoundInsideASubMenu)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    HMENU sub = ::CreatePopupMenu();
    ASSERT_TRUE(sub);
    ASSERT_TRUE(::AppendMenuW(sub, MF_STRING, 21, L"Inner"));
    ASSERT_TRUE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Sub"));
    CMenuHandle popup = menu.GetSubMenu(0);
    ASSERT_EQ(popup.GetSafeHmenu(), sub);
    EXPECT_FALSE(menu.GetSubMenu(5).GetSafeHmenu());
    EXPECT_EQ(menu.GetDefaultItem(), static_cast<UINT>(-1));
    ASSERT_TRUE(popup.SetDefaultItem(0, true));
    EXPECT_EQ(popup.GetDefaultItem(), 21u);
    EXPECT_EQ(menu.GetDefaultItem(), static_cast<UINT>(-1)) << "a sub-menu is not a default item of its parent";
    ASSERT_TRUE(popup.SetDefaultItem(21, false));
    EXPECT_EQ(popup.GetDefaultItem(), 21u);
}

TEST(CMenu, OwnsItsMenuAndMovesIt)
{
    HMENU handle = nullptr;
    {
        CMenu first;
        ASSERT_TRUE(first.CreatePopupMenu());
        handle = first.GetSafeHmenu();
        CMenu second(std::move(first));
        EXPECT_FALSE(first.GetSafeHmenu());
        EXPECT_EQ(second.GetSafeHmenu(), handle);
        CMenu third;
        ASSERT_TRUE(third.CreatePopupMenu());
        const HMENU replaced = third.GetSafeHmenu();
        third = std::move(second);
        EXPECT_EQ(third.GetSafeHmenu(), handle);
        EXPECT_FALSE(::IsMenu(replaced));
        EXPECT_TRUE(::IsMenu(handle));
    }
    EXPECT_FALSE(::IsMenu(handle));
}

TEST(CMenu, AnEmptyOrMissingMenuAnswersFalse)
{
    CMenu menu;
    EXPECT_FALSE(menu.LoadMenu(4711));
    EXPECT_EQ(menu.GetItemCount(), -1);
    EXPECT_FALSE(menu.AppendMenu(MF_STRING, 1, L"x"));
    EXPECT_TRUE(menu.GetItemText(0).IsEmpty());
    EXPECT_FALSE(menu.TrackPopupMenu(0, 0, 0, nullptr));
}
