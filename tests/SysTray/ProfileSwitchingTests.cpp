#include "ProfileSwitching.h"

#include <gtest/gtest.h>

namespace
{
_Profile_Setting_ Linked(const wchar_t* name, const wchar_t* application, int linked = 1)
{
    _Profile_Setting_ setting;
    setting.name = name;
    setting.application = application;
    setting.linked = linked;
    return setting;
}
}

TEST(PickLinkedProfile, FollowsTheRules)
{
    struct Case
    {
        const char* description;
        std::vector<_Profile_Setting_> settings;
        const wchar_t* foreground;
        const wchar_t* active;
        int index;
        bool activate;
    };
    const Case cases[] = {
        { "an unlinked profile is skipped even when its application matches",
            { Linked(L"A", L"game.exe", 0), Linked(L"B", L"game.exe") }, L"game.exe", L"X", 1, true },
        { "the first of two profiles with one application wins",
            { Linked(L"A", L"game.exe"), Linked(L"B", L"game.exe") }, L"game.exe", L"X", 0, true },
        { "the first stays the pick while the second is active",
            { Linked(L"A", L"game.exe"), Linked(L"B", L"game.exe") }, L"game.exe", L"B", 0, true },
        { "a full path never matches the file name",
            { Linked(L"A", L"C:\\Games\\game.exe") }, L"game.exe", L"X", -1, false },
        { "already active means no activation",
            { Linked(L"A", L"game.exe") }, L"game.exe", L"A", 0, false },
        { "file names compare ignoring case", { Linked(L"A", L"Game.EXE") }, L"game.exe", L"X", 0, true },
        { "the active name compares exactly", { Linked(L"A", L"game.exe") }, L"game.exe", L"a", 0, true },
        { "no foreground program picks nothing", { Linked(L"A", L"") }, L"", L"X", -1, false },
        { "another program picks nothing", { Linked(L"A", L"game.exe") }, L"notepad.exe", L"X", -1, false },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.description);
        const ForegroundPick pick = PickLinkedProfile(c.settings, c.foreground, c.active);
        EXPECT_EQ(pick.index, c.index);
        EXPECT_EQ(pick.activate, c.activate);
    }
}
