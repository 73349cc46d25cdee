#include "Vocabulary.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
class VocabularyTest : public testing::Test
{
protected:
    void SetUp() override { InitVocabularyTables(); }
};
}

TEST_F(VocabularyTest, EveryItemIdRoundTripsThroughItsName)
{
    std::set<CString> names;
    for (int id = 0; id <= 252; ++id) {
        const wchar_t* name = GetGUIItemName(id);
        ASSERT_NE(name, nullptr) << id;
        EXPECT_TRUE(names.insert(CString(name).MakeUpper()).second) << name;
        EXPECT_EQ(GetGUIItemId(name), id) << name;
    }
    EXPECT_EQ(GetGUIItemName(253), nullptr);
    EXPECT_EQ(GetGUIItemName(-1), nullptr);
}

TEST_F(VocabularyTest, SpotChecksOfTheItemNames)
{
    struct Case { const wchar_t* name; int id; };
    const Case cases[] = {
        { L"button_ok", 48 }, { L"BUTTON_OK", 48 }, { L"LANGUAGE_ENGLISH", -1 }, { L"LANGUAGE_DEFAULT", 0 },
        { L"LANGUAGE_SPANISH", 8 }, { L"KBDDEF_WINDOWS", 9 }, { L"BUTTON_POPUP_OK", 67 },
        { L"BUTTON_JOYSTICK_AXIS", 69 }, { L"PROG_PANEL_ITEM_POPUP", 183 }, { L"X", 251 }, { L"y", 252 },
        { L"", -1 }, { L"BUTTON_OK ", -1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetGUIItemId(c.name), c.id) << c.name;
    EXPECT_EQ(GetGUIItemId(nullptr), -1);
}

TEST_F(VocabularyTest, KeyFunctionNamesAndTheirLowestKinds)
{
    struct Case { const wchar_t* name; int kind; };
    const Case cases[] = {
        { L"$keymap", 30 }, { L"$macro", 6 }, { L"$cut", 56 }, { L"$zoomout", 72 }, { L"$profile", 21 },
        { L"$launchprogram", 75 }, { L"$joystick", 78 }, { L"$DEFAULTKEY", 0 }, { L"$nothing", -1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetKeyFunctionId(c.name), c.kind) << c.name;
    for (int kind : { 36, 40, 43, 77, 80, -1 })
        EXPECT_EQ(GetKeyFunctionName(kind), nullptr) << kind;
    EXPECT_STREQ(GetKeyFunctionName(33), L"$keymap");
    EXPECT_STREQ(GetKeyFunctionName(20), L"$dpistage5");
    EXPECT_STREQ(GetKeyFunctionName(64), L"$save");
    // Every named kind has a function name that reads back to a kind of the same name.
    for (int kind = 0; kind < 80; ++kind) {
        if (const wchar_t* name = GetKeyFunctionName(kind)) {
            EXPECT_STREQ(GetKeyFunctionName(GetKeyFunctionId(name)), name) << kind;
        }
    }
}

TEST_F(VocabularyTest, ButtonHintsFallBackToTheFunctionName)
{
    EXPECT_STREQ(GetButtonHintKey(0), L"$ResetButtonBackToDefaultFunction");
    EXPECT_STREQ(GetButtonHintKey(7), L"$Assignthisbuttontocontrolmacroplayback");
    EXPECT_STREQ(GetButtonHintKey(33), L"$assignthisbuttontoswitchorcycleactivekeymap");
    EXPECT_STREQ(GetButtonHintKey(79), L"$assignthisbuttontoperformjoystickfunction");
    EXPECT_STREQ(GetButtonHintKey(9), L"$advanced");
    EXPECT_STREQ(GetButtonHintKey(56), L"$cut");
    EXPECT_EQ(GetButtonHintKey(36), nullptr);
    EXPECT_EQ(GetButtonHintKey(77), nullptr);
}

TEST_F(VocabularyTest, ColourNames)
{
    struct Case { const wchar_t* name; COLORREF colour; };
    const Case cases[] = {
        { L"white", 0xFFFFFF }, { L"RED", 0x0000FF }, { L"ORANGE", 0x007EFF }, { L"BLACK", 0x000000 },
        { L"ZEFF_PROFILE_HIGHLIGHT", 0x362E04 }, { L"ZEFF_PANEL_BACKGROUND", 0x362E05 },
        { L"VELM_BTNDS_GREY", 0x333333 }, { L"GOLD_JO_HIGHTLIGHT", 0x007CD0 },
        { L"PURPLE", 0xFFFFFFFF },
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetColorByName(c.name), c.colour) << c.name;
}

TEST_F(VocabularyTest, ListColumnsAndCellKinds)
{
    EXPECT_EQ(GetListColumnId(L"LCITEM_PROFILECURRENT"), 0);
    EXPECT_EQ(GetListColumnId(L"lcitem_mcrevent_descrip"), 6);
    EXPECT_EQ(GetListColumnId(L"LCITEM_OTHER"), -1);
    EXPECT_EQ(GetListCellKind(L"icon"), 0);
    EXPECT_EQ(GetListCellKind(L"FILEDIALOG"), 5);
    EXPECT_EQ(GetListCellKind(L"SLIDER"), -1);
    EXPECT_EQ(GetMacroColumnKind(L"STATIC"), 1);
    EXPECT_EQ(GetMacroColumnKind(L"EDIT"), -1);
}

TEST_F(VocabularyTest, JoystickAxisTextsMatchExactlyOneAxisOffCentre)
{
    struct Case { uint8_t state[6]; bool found; const wchar_t* axis; const wchar_t* direction; };
    const Case cases[] = {
        { { 0x00, 0x80, 0x80, 0x80, 0x80, 0x80 }, true, L"$xaxis", L"$decrease" },
        { { 0x80, 0x80, 0x80, 0x80, 0x80, 0xFF }, true, L"$rzaxis", L"$increase" },
        { { 0x80, 0x80, 0x80, 0xFF, 0x80, 0x80 }, true, L"$rxaxis", L"$increase" },
        { { 0x00, 0x00, 0x80, 0x80, 0x80, 0x80 }, false, nullptr, nullptr },
        { { 0x40, 0x80, 0x80, 0x80, 0x80, 0x80 }, false, nullptr, nullptr },
        { { 0x80, 0x80, 0x80, 0x80, 0x80, 0x80 }, false, nullptr, nullptr },
    };
    for (const Case& c : cases) {
        const wchar_t* axis = L"untouched";
        const wchar_t* direction = L"untouched";
        EXPECT_EQ(GetJoystickAxisText(c.state, axis, direction), c.found);
        EXPECT_STREQ(axis, c.found ? c.axis : L"untouched");
        EXPECT_STREQ(direction, c.found ? c.direction : L"untouched");
    }
}
