#include "CMWData.h"

#include <gtest/gtest.h>

TEST(CMWData, ClampsTheProfileCountToTwenty)
{
    struct Case { int count; int expected; };
    const Case cases[] = { { 0, 0 }, { 3, 3 }, { 20, 20 }, { 25, 20 }, { -4, 0 } };
    for (const Case& c : cases) {
        CMWData data(c.count);
        EXPECT_EQ(data.GetProfileCount(), c.expected) << c.count;
        EXPECT_EQ(data.m_activeProfile, nullptr);
        EXPECT_FALSE(data.MacrosInitialised());
    }
}

TEST(CMWData, SecondMacroInitialisationIsRefusedAndKeepsTheFirstArray)
{
    CMWData data(1);
    ASSERT_TRUE(data.InitMacros(3));
    data.m_macros[1].m_name = L"Kept";
    EXPECT_FALSE(data.InitMacros(7));
    ASSERT_EQ(data.GetMacroCount(), 3u);
    EXPECT_EQ(data.m_macros[1].m_name, L"Kept");
}

TEST(CMWData, MacroCountIsClampedTo65535)
{
    CMWData data(1);
    ASSERT_TRUE(data.InitMacros(70000));
    EXPECT_EQ(data.GetMacroCount(), 65535u);
}

TEST(CMWKeymap, StartsWith27EmptyEntries)
{
    CMWKeymap keymap;
    EXPECT_EQ(keymap.m_count, 27);
    const CMWAssignment empty;
    for (const CMWEntry& entry : keymap.m_entries) {
        EXPECT_EQ(entry.kind, CMWEntry::kNone);
        EXPECT_EQ(entry.id, 0u);
        EXPECT_TRUE(entry.current.RecordEquals(empty));
        EXPECT_TRUE(entry.defaultAssignment.RecordEquals(empty));
        EXPECT_TRUE(entry.current.m_text.IsEmpty());
    }
}

TEST(CMWProfile, ActiveKeymapIndexIsThePositionOfTheActivePointer)
{
    CMWProfile profile;
    EXPECT_EQ(profile.GetActiveKeymapIndex(), -1);
    for (auto& keymap : profile.m_keymaps)
        keymap = std::make_unique<CMWKeymap>();
    profile.m_activeKeymap = profile.m_keymaps[5].get();
    EXPECT_EQ(profile.GetActiveKeymapIndex(), 5);
    CMWKeymap stranger;
    profile.m_activeKeymap = &stranger;
    EXPECT_EQ(profile.GetActiveKeymapIndex(), -1);
}

TEST(CMWMacro, IsWrittenOnlyWithAConvertedEvent)
{
    CMWMacro macro;
    EXPECT_FALSE(macro.HasWrittenEvents());
    macro.m_events.assign(3, CMWMacroEvent());
    EXPECT_FALSE(macro.HasWrittenEvents());
    macro.m_events[2].type = CMWMacroEvent::kDelay;
    EXPECT_TRUE(macro.HasWrittenEvents());
}
