#include "CPredefinedMacroList.h"

#include <gtest/gtest.h>

namespace
{
struct Command
{
    const wchar_t* name;
    int modifierVk, modifierScan, keyVk, keyScan;
    bool windowsKey;
};

const Command kCommands[] = {
    { L"$cut", 0xA2, 0x1D, 'X', 0x2D, false }, { L"$copy", 0xA2, 0x1D, 'C', 0x2E, false },
    { L"$paste", 0xA2, 0x1D, 'V', 0x2F, false }, { L"$undo", 0xA2, 0x1D, 'Z', 0x2C, false },
    { L"$all", 0xA2, 0x1D, 'A', 0x1E, false }, { L"$find", 0xA2, 0x1D, 'F', 0x21, false },
    { L"$new", 0xA2, 0x1D, 'N', 0x31, false }, { L"$print", 0xA2, 0x1D, 'P', 0x19, false },
    { L"$save", 0xA2, 0x1D, 'S', 0x1F, false }, { L"$swapwindows", 0xA4, 0x38, 0x09, 0x0F, false },
    { L"$closewindow", 0xA4, 0x38, 0x73, 0x3E, false }, { L"$lockpc", 0x5B, 0x5B, 'L', 0x26, true },
    { L"$openexplorer", 0x5B, 0x5B, 'E', 0x12, true }, { L"$run", 0x5B, 0x5B, 'R', 0x13, true },
    { L"$showdesktop", 0x5B, 0x5B, 'D', 0x20, true }, { L"$zoomin", 0xA2, 0x1D, 0xBB, 0x0D, false },
    { L"$zoomout", 0xA2, 0x1D, 0xBD, 0x0C, false },
};
}

TEST(PredefinedMacros, EveryCommandIsModifierDownKeyDownKeyUpModifierUp)
{
    for (const Command& c : kCommands) {
        std::vector<CMacroEvent> events;
        EXPECT_EQ(g_predefinedMacros.AppendCommand(c.name, events), 1);
        ASSERT_EQ(events.size(), 4u) << c.name;
        const int modifier = c.modifierVk << 16 | c.modifierScan;
        const int key = c.keyVk << 16 | c.keyScan;
        const int down = c.windowsKey ? 511 : 255;
        const int up = c.windowsKey ? 257 : 1;
        const CMacroEvent expected[4] = { { 0, modifier, down }, { 0, key, 255 }, { 0, key, 1 }, { 0, modifier, up } };
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(MacroEventEquals(events[i], expected[i])) << c.name << " event " << i;
    }
}

TEST(PredefinedMacros, LockPcExtrasAndNameLookup)
{
    std::vector<CMacroEvent> events = { { 2, 5, 0 } };
    g_predefinedMacros.AppendCommand(L"$LOCKPC", events);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].extra, 511);
    EXPECT_EQ(events[1].extra, 255);
    EXPECT_EQ(events[2].extra, 1);
    EXPECT_EQ(events[3].extra, 257);

    std::vector<CMacroEvent> kept = { { 2, 5, 0 } };
    EXPECT_EQ(g_predefinedMacros.AppendCommand(L"$nosuchcommand", kept), 1);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].value, 5);
}

TEST(PredefinedMacros, BasicAndAdvancedNameLists)
{
    CStringArray names;
    names.Add(L"stale");
    g_predefinedMacros.FillBasicCommands(names);
    ASSERT_EQ(names.GetSize(), 9);
    EXPECT_EQ(names[0], L"$cut");
    EXPECT_EQ(names[8], L"$save");
    g_predefinedMacros.FillAdvancedCommands(names);
    ASSERT_EQ(names.GetSize(), 8);
    EXPECT_EQ(names[0], L"$swapwindows");
    EXPECT_EQ(names[7], L"$zoomout");
}
