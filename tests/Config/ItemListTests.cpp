#include "CAPMList.h"
#include "ItemLists.h"

#include <gtest/gtest.h>

TEST(MacroList, AddFindRemoveKeepOrder)
{
    CCatMacroList list;
    CMacro* first = AddMacro(list, L"First");
    CMacro* second = AddMacro(list, L"Second");
    CMacro* third = AddMacro(list, L"Third");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(AddMacro(list, L"FIRST"), nullptr);
    EXPECT_EQ(FindMacroByName(list, L"second"), second);
    second->SetGUID(GUID{ 2, 0, 0, { 0 } });
    EXPECT_EQ(FindMacroByGUID(list, GUID{ 2, 0, 0, { 0 } }), second);
    EXPECT_EQ(FindMacroByGUID(list, GUID{ 3, 0, 0, { 0 } }), nullptr);

    CMacro stranger;
    RemoveMacro(list, &stranger);
    EXPECT_EQ(list.size(), 3u);
    RemoveMacro(list, first);
    EXPECT_EQ(GetMacro(list, 0), second);
    EXPECT_EQ(GetMacro(list, 1), third);
    EXPECT_EQ(GetMacro(list, 2), nullptr);
    EXPECT_EQ(GetMacro(list, -1), nullptr);
    RemoveAllMacros(list);
    EXPECT_TRUE(list.empty());
}

TEST(MacroList, AcceptedRemovalIsNoChange)
{
    CCatMacroList list;
    CMacro* macro = AddMacro(list, L"Combo");
    EXPECT_TRUE(list.IsChanged());
    list.Accept();
    RemoveMacro(list, macro);
    EXPECT_FALSE(list.IsChanged());
}

TEST(ApplicationList, PathsAreUniqueIgnoringCase)
{
    CCatKvAppList list;
    CKvApp* game = AddApplication(list, L"C:\\Games\\game.exe");
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(AddApplication(list, L"c:\\games\\GAME.exe"), nullptr);
    EXPECT_EQ(FindApplicationByName(list, L"C:\\GAMES\\game.exe"), game);
    game->m_id.Data1 = 5;
    EXPECT_EQ(FindApplicationByGUID(list, game->m_id), game);
    EXPECT_EQ(GetApplication(list, 0), game);
    RemoveApplication(list, game);
    EXPECT_EQ(GetApplication(list, 0), nullptr);
}

TEST(CAPMList, KeepsIdsInOrderAsTheyStand)
{
    CAPMList stages;
    EXPECT_TRUE(stages.Add(L"five", nullptr, 5));
    EXPECT_TRUE(stages.Add(L"two", nullptr, 2));
    EXPECT_TRUE(stages.Add(L"nine", nullptr, 9));
    EXPECT_FALSE(stages.Add(L"again", nullptr, 5));
    const int expected[] = { 2, 5, 9 };
    for (int i = 0; i < 3; ++i) {
        CBitmap* bitmap = nullptr;
        int id = 0;
        ASSERT_TRUE(stages.GetBitmap(i, bitmap, id));
        EXPECT_EQ(id, expected[i]);
    }
    // An id set afterwards is not sorted in; later additions compare with it as it stands.
    EXPECT_TRUE(stages.SetBitmap(0, nullptr, 7));
    EXPECT_TRUE(stages.Add(L"six", nullptr, 6));
    const wchar_t* name = nullptr;
    ASSERT_TRUE(stages.GetName(0, name));
    EXPECT_STREQ(name, L"six");
    EXPECT_FALSE(stages.Add(L"seven", nullptr, 7));

    EXPECT_FALSE(stages.SetName(4, L"x"));
    EXPECT_FALSE(stages.Remove(4));
    EXPECT_TRUE(stages.Remove(0));
    EXPECT_EQ(stages.GetCount(), 3);
    stages.RemoveAll();
    EXPECT_EQ(stages.GetCount(), 0);
}
