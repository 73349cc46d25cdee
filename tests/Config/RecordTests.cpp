#include "CAssignment.h"
#include "CKeymap.h"
#include "CKvApp.h"
#include "CMacro.h"
#include "KeyId.h"
#include "KeypadButtons.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{
CAssignment Filled(int kind, uint8_t byte)
{
    CAssignment record;
    record.kind = kind;
    memset(record.payload, byte, sizeof(record.payload));
    return record;
}
}

TEST(MakeAssignment, GuidKindsTakeTheFourValuesOtherKindsAZeroPayload)
{
    struct Case { int kind; bool takesGuid; uint32_t modeWord; };
    const Case cases[] = {
        { 6, true, 1 }, { 21, true, 0xABABABAB }, { 30, true, 0xABABABAB }, { 34, true, 0xABABABAB },
        { 75, true, 0xABABABAB }, { 3, false, 0 }, { 7, false, 0 }, { 0, false, 0 }, { 78, false, 0 },
    };
    for (const Case& c : cases) {
        CAssignment record = Filled(99, 0xAB);
        MakeAssignment(c.kind, record, 1, 2, 3, 4);
        EXPECT_EQ(record.kind, c.kind);
        EXPECT_EQ(record.GetWord(0), c.takesGuid ? 1u : 0u) << "kind " << c.kind;
        EXPECT_EQ(record.GetWord(3), c.takesGuid ? 4u : 0u) << "kind " << c.kind;
        EXPECT_EQ(record.GetWord(130), c.modeWord) << "kind " << c.kind;
        EXPECT_EQ(record.GetWord(131), c.kind == 6 ? 0u : (c.takesGuid ? 0xABABABABu : 0u)) << "kind " << c.kind;
        EXPECT_EQ(record.GetWord(4), c.takesGuid ? 0xABABABABu : 0u) << "kind " << c.kind;
    }
}

TEST(CAssignmentRecord, WordsAreLittleEndianAndBounded)
{
    CAssignment record;
    record.SetWord(1, 0x11223344);
    EXPECT_EQ(record.payload[4], 0x44);
    EXPECT_EQ(record.payload[7], 0x11);
    record.SetWord(132, 5);
    record.SetWord(-1, 5);
    EXPECT_EQ(record.GetWord(132), 0u);
    EXPECT_TRUE(AssignmentEquals(record, record));
    CAssignment other = record;
    other.payload[527] = 1;
    EXPECT_FALSE(AssignmentEquals(record, other));
    other = record;
    other.kind = 5;
    EXPECT_FALSE(AssignmentEquals(record, other));
}

TEST(FoldPairedKind, ByNameKindsFoldToTheirPartners)
{
    const int pairs[][2] = { { 7, 6 }, { 22, 21 }, { 31, 30 }, { 35, 34 }, { 76, 75 }, { 79, 78 }, { 6, 6 }, { 9, 9 } };
    for (const auto& pair : pairs)
        EXPECT_EQ(FoldPairedKind(pair[0]), pair[1]);
}

TEST(KeypadButtons, DefaultsOfEveryButton)
{
    EXPECT_STREQ(DefaultKeyNameOfButton(1), L"Tab");
    EXPECT_STREQ(DefaultKeyNameOfButton(16), L"Left Alt");
    EXPECT_STREQ(DefaultKeyNameOfButton(27), L"Page Down (Note 1)");
    EXPECT_EQ(DefaultKeyNameOfButton(17), nullptr);
    EXPECT_EQ(DefaultKeyNameOfButton(0), nullptr);
    EXPECT_EQ(DefaultKeyNameOfButton(28), nullptr);
    for (int i = 0; i < 27; ++i) {
        int button = g_allKeypadButtons[i];
        EXPECT_EQ(button, i + 1);
        int expected = button == 17 ? 3 : button == 18 ? 54 : button == 19 ? 55 : 0;
        CAssignment record = DefaultButtonAssignment(button);
        EXPECT_EQ(record.kind, expected) << "button " << button;
        CAssignment want;
        want.kind = expected;
        EXPECT_TRUE(AssignmentEquals(record, want)) << "button " << button;
        EXPECT_EQ(DefaultKeyNameOfButton(button) == nullptr, button >= 17 && button <= 19);
    }
}

TEST(MacroEquals, IgnoresNameCaseAndTextButNotEventsOrGuid)
{
    const std::vector<CMacroEvent> events = { { 0, 0x410041, 255 }, { 2, 50, 0 } };
    CMacro a(L"Combo", events);
    CMacro b(L"COMBO", events);
    b.SetText(L"notes");
    EXPECT_TRUE(MacroEquals(a, b));

    CMacro longer(L"Combo", { events[0] });
    EXPECT_FALSE(MacroEquals(a, longer));
    CMacro otherExtra(L"Combo", { events[0], { 2, 50, 1 } });
    EXPECT_FALSE(MacroEquals(a, otherExtra));
    CMacro withId(L"Combo", events);
    withId.SetGUID(GUID{ 1, 2, 3, { 4 } });
    EXPECT_FALSE(MacroEquals(a, withId));
}

TEST(CMacroRecord, CopyKeepsTextAssignmentDoesNot)
{
    CMacro source(L"Source", { { 2, 10, 0 } });
    source.SetGUID(GUID{ 7, 0, 0, { 0 } });
    source.SetText(L"free text");
    CMacro copied(source);
    EXPECT_EQ(copied.GetText(), L"free text");
    CMacro assigned;
    assigned.SetText(L"mine");
    assigned = source;
    EXPECT_STREQ(assigned.GetName(), L"Source");
    EXPECT_EQ(assigned.GetText(), L"mine");
    GUID id;
    assigned.GetGUID(&id);
    EXPECT_EQ(id.Data1, 7u);
    EXPECT_EQ(assigned.m_events.size(), 1u);
    EXPECT_THROW(assigned.m_events.at(1), std::out_of_range);
}

TEST(CMacroRecord, LongNamesAreCutTo255Characters)
{
    CString name(L'n', 300);
    CMacro macro(name, {});
    EXPECT_EQ(wcslen(macro.GetName()), 255u);
    CMacro empty;
    EXPECT_STREQ(empty.GetName(), L"");
    EXPECT_TRUE(IsEqualGUID(empty.m_id, GUID_NULL));
}

TEST(KvAppEquals, PathsCompareCaseSensitively)
{
    CKvApp a(L"C:\\Games\\Game.exe");
    CKvApp b(L"c:\\games\\game.exe");
    EXPECT_FALSE(KvAppEquals(a, b));
    EXPECT_TRUE(KvAppEquals(a, CKvApp(L"C:\\Games\\Game.exe")));
    CKvApp withId = a;
    withId.m_id.Data1 = 1;
    EXPECT_FALSE(KvAppEquals(a, withId));
}

TEST(CKeymapRecord, CopyAndAssignmentReplaceEverything)
{
    CKeymap source(L"Keymap 1");
    source.SetGUID(1, 2, 3, 4);
    CAssignment record;
    source.GetKeyAssignments()[HashKeyName(L"Tab")] = MakeAssignment(5, record, 0, 0, 0, 0);
    source.GetButtonAssignments()[tKeypadButton(3)] = MakeAssignment(8, record, 0, 0, 0, 0);

    CKeymap copy(source);
    EXPECT_EQ(copy.GetName(), L"Keymap 1");
    EXPECT_EQ(copy.GetGUID().Data1, 1u);
    EXPECT_EQ(copy.GetKeyAssignments().size(), 1u);

    CKeymap target(L"Other");
    target.GetKeyAssignments()[1] = record;
    target.GetKeyAssignments()[2] = record;
    target = source;
    EXPECT_EQ(target.GetName(), L"Keymap 1");
    EXPECT_EQ(target.GetKeyAssignments().size(), 1u);
    EXPECT_EQ(target.GetButtonAssignments().at(tKeypadButton(3)).kind, 8);

    // The copies are independent of the source.
    source.GetKeyAssignments().clear();
    EXPECT_EQ(copy.GetKeyAssignments().size(), 1u);
}
