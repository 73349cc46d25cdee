// The data files the build ships: the key definitions and defaults in bin\ and the nine
// language files in lang\, read from the skin folders beside the configuration program.
#include "CKeyDefTable.h"
#include "CLangTable.h"
#include "CShippedSkin.h"
#include "CSkinResourceList.h"
#include "CVelmoraConfig.h"
#include "KeyId.h"
#include "KeypadButtons.h"
#include "Vocabulary.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
// The key names of the offline keypad's key list.
const wchar_t* const kKeypadKeyNames[] = {
    L"a A", L"b B", L"c C", L"d D", L"e E", L"f F", L"g G", L"h H", L"i I", L"j J", L"k K", L"l L",
    L"m M", L"n N", L"o O", L"p P", L"q Q", L"r R", L"s S", L"t T", L"u U", L"v V", L"w W", L"x X",
    L"y Y", L"z Z", L"1 !", L"2 @", L"3 #", L"4 $", L"5 %", L"6 ^", L"7 &", L"8 *", L"9 (", L"0 )",
    L"Return", L"Escape", L"Backspace", L"Tab", L"Space", L"- _", L"= +", L"[ {", L"] }", L"\\ |",
    L"; :", L"' \"", L"` ~", L", <", L". >", L"/ ?", L"Caps Lock", L"F1", L"F2", L"F3", L"F4",
    L"F5", L"F6", L"F7", L"F8", L"F9", L"F10", L"F11", L"F12", L"Print Screen (Note 1)",
    L"Scroll Lock", L"Pause", L"Insert (Note 1)", L"Home (Note 1)", L"Page Up (Note 1)",
    L"Delete (Note 1)", L"End (Note 1)", L"Page Down (Note 1)", L"Right Arrow (Note 1)",
    L"Left Arrow (Note 1)", L"Down Arrow (Note 1)", L"Up Arrow (Note 1)", L"Num Lock",
    L"Keypad / (Note 1)", L"Keypad *", L"Keypad -", L"Keypad +", L"Keypad Enter", L"Keypad 1 End",
    L"Keypad 2 Down", L"Keypad 3 PageDn", L"Keypad 4 Left", L"Keypad 5", L"Keypad 6 Right",
    L"Keypad 7 Home", L"Keypad 8 Up", L"Keypad 9 PageUp", L"Keypad 0 Insert", L"Keypad . Delete",
    L"Europe 2 (Note 2)", L"App", L"Keypad =", L"Left Control", L"Left Shift", L"Left Alt",
    L"Left GUI", L"Right Control", L"Right Shift", L"Right Alt", L"Right GUI",
};

// The key names of the converter's table of old key codes.
const wchar_t* const kConverterKeyNames[] = {
    L"` ~", L"1 !", L"q Q", L"Tab", L"a A", L"Escape", L"z Z", L"Keyboard Int'l 5 無変換 (Muhenkan)",
    L"F1", L"2 @", L"w W", L"Caps Lock", L"s S", L"x X", L"F2", L"3 #", L"e E", L"F3", L"d D",
    L"F4", L"c C", L"Keyboard Lang 1 한/옝 (Hanguel/English)", L"5 %", L"4 $", L"r R", L"t T", L"f F",
    L"g G", L"v V", L"b B", L"6 ^", L"7 &", L"u U", L"y Y", L"j J", L"h H", L"m M", L"n N", L"= +",
    L"8 *", L"i I", L"] }", L"k K", L"F6", L", <", L"F8", L"9 (", L"o O", L"F7", L"l L",
    L"Keyboard Int'l 4 前候補 変換 (次候補) 全候補 (Henkan)", L". >",
    L"Keyboard Intl'2 かたかな ひらがな ローマ字 (Katakana/Hiragana)", L"- _", L"0 )", L"p P", L"[ {", L"' \"",
    L"/ ?", L"F9", L"F10", L"Backspace", L"\\ |", L"F5", L"Return", L"Space", L"Insert (Note 1)",
    L"F12", L"Keypad 8 Up", L"Keypad 5", L"Keypad 2 Down", L"Keypad 0 Insert", L"Keypad / (Note 1)",
    L"Right Arrow (Note 1)", L"Delete (Note 1)", L"F11", L"Keypad 7 Home", L"Keypad 4 Left",
    L"Keypad 1 End", L"Num Lock", L"Down Arrow (Note 1)", L"Page Up (Note 1)",
    L"Page Down (Note 1)", L"Keypad 9 PageUp", L"Keypad 6 Right", L"Keypad 3 PageDn",
    L"Keypad . Delete", L"Keypad *", L"Keypad -", L"Home (Note 1)", L"End (Note 1)", L"Keypad +",
    L"Keypad Enter", L"Up Arrow (Note 1)", L"Pause", L"Left Arrow (Note 1)", L"Scroll Lock",
    L"Print Screen (Note 1)", L"Left Alt", L"Right Alt", L"Left Shift", L"Right Shift",
    L"Left Control", L"Right Control", L"Left GUI", L"Right GUI",
    L"; :",
};

// Points the skin folders at the build's output for one test.
class ShippedSkinTest : public testing::Test
{
    CShippedSkin m_skin;

protected:
    void SetUp() override
    {
        m_skin.Enter(VELMORA_SKIN_FOLDER);
    }
    void TearDown() override
    {
        m_skin.Leave();
    }

    static std::unique_ptr<CLangTable> LoadLanguage(int id)
    {
        auto table = std::make_unique<CLangTable>();
        int size = 0;
        const uint8_t* bytes = FindLangFile(CString(GetLanguageName(id)) + L".txt", &size);
        if (!bytes || !table->ParseFile(bytes, size))
            return nullptr;
        return table;
    }
};
}

TEST_F(ShippedSkinTest, KeyDefinitionsLoadAndKnowEveryKeyName)
{
    int size = 0;
    const uint8_t* bytes = FindBinFile(L"kbddef.dat", &size);
    ASSERT_NE(bytes, nullptr);
    CKeyDefTable table;
    ASSERT_TRUE(table.Load(bytes, size));
    for (const wchar_t* name : kKeypadKeyNames)
        EXPECT_NE(table.FindKey(HashKeyName(name)), nullptr) << CString(name).GetString();
    for (const wchar_t* name : kConverterKeyNames)
        EXPECT_NE(table.FindKey(HashKeyName(name)), nullptr) << CString(name).GetString();
    // No two keys share a keystroke, so a captured keystroke names one key.
    for (const CKeyDefRecord& record : table.GetRecords()) {
        const uint32_t keystroke = static_cast<uint16_t>(record.scanCode) | (static_cast<uint32_t>(record.extended) << 16);
        EXPECT_EQ(table.FindKeyByScanCode(keystroke), record.keyId) << record.name.GetString();
    }
}

TEST_F(ShippedSkinTest, KeysCarryTheirSetOneMakeCodes)
{
    int size = 0;
    const uint8_t* bytes = FindBinFile(L"kbddef.dat", &size);
    CKeyDefTable table;
    ASSERT_TRUE(table.Load(bytes, size));
    struct Case { const wchar_t* name; int16_t scan; uint8_t flag; };
    const Case cases[] = {
        { L"a A", 0x1E, 0 }, { L"Escape", 0x01, 0 }, { L"F12", 0x58, 0 }, { L"Left Shift", 0x2A, 0 },
        { L"Right Shift", 0x36, 0 }, { L"Keypad 8 Up", 0x48, 0 }, { L"Num Lock", 0x45, 0 },
        { L"Up Arrow (Note 1)", 0x48, 1 }, { L"Home (Note 1)", 0x47, 1 }, { L"End (Note 1)", 0x4F, 1 },
        { L"Page Up (Note 1)", 0x49, 1 }, { L"Page Down (Note 1)", 0x51, 1 }, { L"Insert (Note 1)", 0x52, 1 },
        { L"Delete (Note 1)", 0x53, 1 }, { L"Keypad / (Note 1)", 0x35, 1 }, { L"Keypad Enter", 0x1C, 1 },
        { L"Right Control", 0x1D, 1 }, { L"Right Alt", 0x38, 1 }, { L"Left GUI", 0x5B, 1 },
        { L"Right GUI", 0x5C, 1 }, { L"Print Screen (Note 1)", 0x37, 1 }, { L"Pause", 0x45, 2 },
    };
    for (const Case& c : cases) {
        int16_t scan = 0;
        uint8_t flag = 0;
        EXPECT_TRUE(table.GetScanCode(HashKeyName(c.name), scan, flag)) << CString(c.name).GetString();
        EXPECT_EQ(scan, c.scan) << CString(c.name).GetString();
        EXPECT_EQ(flag, c.flag) << CString(c.name).GetString();
    }
}

TEST_F(ShippedSkinTest, DefaultsAreTheButtonsDefaultKeys)
{
    int size = 0;
    const uint8_t* keys = FindBinFile(L"kbddef.dat", &size);
    CKeyDefTable table;
    ASSERT_TRUE(table.Load(keys, size));
    const uint8_t* defaults = FindBinFile(L"velmodef.dat", &size);
    ASSERT_NE(defaults, nullptr);
    ASSERT_TRUE(table.LoadDefaults(defaults, size));
    int count = 0;
    for (tKeypadButton button : g_allKeypadButtons) {
        const wchar_t* name = DefaultKeyNameOfButton(button);
        if (!name)
            continue;
        ++count;
        const int32_t id = HashKeyName(name);
        uint16_t scan = 0;
        uint8_t flag = 0;
        int16_t keyScan = 0;
        uint8_t keyFlag = 0;
        ASSERT_TRUE(table.GetDefaultKeystroke(id, scan, flag)) << button;
        ASSERT_TRUE(table.GetScanCode(id, keyScan, keyFlag)) << button;
        EXPECT_EQ(scan, static_cast<uint16_t>(keyScan)) << button;
        EXPECT_EQ(flag, keyFlag) << button;
    }
    EXPECT_EQ(count, 24);
    EXPECT_EQ(size, 4 + 8 * 24);
}

TEST_F(ShippedSkinTest, EveryLanguageHasEveryEnglishKey)
{
    std::unique_ptr<CLangTable> english = LoadLanguage(0);
    ASSERT_NE(english, nullptr);
    EXPECT_EQ(english->GetLanguageName(), L"English");
    for (int id = 0; id < kLanguageCount; ++id) {
        std::unique_ptr<CLangTable> language = LoadLanguage(id);
        ASSERT_NE(language, nullptr) << id;
        EXPECT_EQ(language->GetLanguageName(), GetLanguageName(id));
        EXPECT_EQ(language->GetPairCount(), english->GetPairCount()) << id;
        for (const auto& pair : english->GetTexts()) {
            CString text;
            EXPECT_TRUE(language->Lookup(L"$" + pair.first, text)) << id << " " << pair.first.GetString();
            EXPECT_FALSE(text.IsEmpty()) << id << " " << pair.first.GetString();
        }
    }
}

TEST_F(ShippedSkinTest, NoLanguageCopiesTheEnglishTexts)
{
    std::unique_ptr<CLangTable> english = LoadLanguage(0);
    ASSERT_NE(english, nullptr);
    for (int id = 1; id < kLanguageCount; ++id) {
        std::unique_ptr<CLangTable> language = LoadLanguage(id);
        ASSERT_NE(language, nullptr) << id;
        for (const auto& pair : english->GetTexts()) {
            CString text;
            language->Lookup(L"$" + pair.first, text);
            EXPECT_NE(text, pair.second) << GetLanguageName(id) << " " << pair.first.GetString();
        }
    }
}

TEST_F(ShippedSkinTest, TheVocabularysLanguageKeysAreTranslated)
{
    std::vector<CString> keys;
    for (int kind = 0; kind < 80; ++kind) {
        if (const wchar_t* name = GetKeyFunctionName(kind))
            keys.emplace_back(name);
        if (const wchar_t* hint = GetButtonHintKey(kind))
            keys.emplace_back(hint);
    }
    for (const wchar_t* key : { L"$xaxis", L"$yaxis", L"$zaxis", L"$rxaxis", L"$ryaxis", L"$rzaxis", L"$decrease",
             L"$increase", L"$PlayOnce", L"$PlayMultipleTimes", L"$ToggleContinuousPlaybackOn/OffUsingAssignedKey",
             L"$PlayWhileAssignedKeyIsPressed", L"$RestoreDefaults" })
        keys.emplace_back(key);
    for (const wchar_t* button : { L"$LeftButton", L"$RightButton", L"$Wheel", L"$Button4", L"$Button5",
             L"$RightSideFrontButton", L"$RightSideRearButton" }) {
        keys.push_back(CString(button) + L"Up");
        keys.push_back(CString(button) + L"Down");
    }
    for (int id = 0; id < kLanguageCount; ++id) {
        std::unique_ptr<CLangTable> language = LoadLanguage(id);
        ASSERT_NE(language, nullptr) << id;
        for (const CString& key : keys) {
            CString text;
            EXPECT_TRUE(language->Lookup(key, text)) << id << " " << key.GetString();
        }
    }
    std::unique_ptr<CLangTable> japanese = LoadLanguage(5);
    CString text;
    ASSERT_TRUE(japanese->Lookup(L"$defaultkey", text));
    EXPECT_EQ(text, L"既定のキー");
}

// The configuration store takes its default key assignments from the shipped tables.
TEST_F(ShippedSkinTest, NewProfilesGetTheShippedKeyDefaults)
{
    int keySize = 0;
    int defaultSize = 0;
    const uint8_t* keys = FindBinFile(L"kbddef.dat", &keySize);
    const uint8_t* defaults = FindBinFile(L"velmodef.dat", &defaultSize);
    CKeyDefTable table;
    ASSERT_TRUE(table.Load(keys, keySize));
    ASSERT_TRUE(table.LoadDefaults(defaults, defaultSize));
    CVelmoraConfig store(&table);
    IKeypadProfile* profile = store.CreateProfile(L"Defaults");
    CKeymap* keymap = profile->GetKeymap(0);
    ASSERT_EQ(keymap->GetKeyAssignments().size(), 24u);
    struct Case { const wchar_t* name; uint16_t scan; uint8_t extended; };
    const Case cases[] = { { L"Tab", 0x0F, 0 }, { L"Left Alt", 0x38, 0 }, { L"Up Arrow (Note 1)", 0x48, 1 },
        { L"Page Down (Note 1)", 0x51, 1 } };
    for (const Case& c : cases) {
        CAssignment record;
        profile->GetKeyAssignment(&record, HashKeyName(c.name), keymap);
        EXPECT_EQ(record.kind, kAssignDefaultKey) << CString(c.name).GetString();
        EXPECT_EQ(record.payload[0] | record.payload[1] << 8, c.scan) << CString(c.name).GetString();
        EXPECT_EQ(record.payload[4], c.extended) << CString(c.name).GetString();
    }
}
