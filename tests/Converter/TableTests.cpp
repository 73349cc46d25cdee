#include "ConversionTables.h"
#include "IKeyLookup.h"

#include <gtest/gtest.h>

#include <cwchar>

TEST(OldKeyCodeName, HoldsThe108KeysWithTheirExactNames)
{
    EXPECT_EQ(OldKeyCodeCount(), 108u);
    struct Case { uint8_t code; const wchar_t* name; };
    // Written here from UTF-8 source text, independently of the table's escapes.
    const Case cases[] = {
        { 16, L"` ~" },
        { 23, L"Keyboard Int'l 5 無変換 (Muhenkan)" },
        { 39, L"Keyboard Lang 1 한/옝 (Hanguel/English)" },
        { 69, L"Keyboard Int'l 4 前候補 変換 (次候補) 全候補 (Henkan)" },
        { 71, L"Keyboard Intl'2 かたかな ひらがな ローマ字 (Katakana/Hiragana)" },
        { 76, L"; :" },
        { 77, L"' \"" },
        { 84, L"\\ |" },
        { 88, L"Insert (Note 1)" },
        { 109, L"Keypad . Delete" },
        { 122, L"Print Screen (Note 1)" },
        { 156, L"Left GUI" },
        { 241, L"Left GUI" },
        { 242, L"Right GUI" },
    };
    for (const Case& c : cases) {
        const wchar_t* name = OldKeyCodeName(c.code);
        ASSERT_NE(name, nullptr) << static_cast<int>(c.code);
        EXPECT_STREQ(name, c.name) << static_cast<int>(c.code);
    }
    const uint8_t unlisted[] = { 0, 1, 15, 29, 31, 63, 78, 82, 101, 115, 120, 123, 157, 240, 243, 255 };
    for (uint8_t code : unlisted)
        EXPECT_EQ(OldKeyCodeName(code), nullptr) << static_cast<int>(code);
}

TEST(OldMouseCodeFlags, GivesTheRawInputDownAndUpFlags)
{
    struct Case { uint8_t code; bool found; uint32_t press; uint32_t release; };
    const Case cases[] = {
        { 0xD0, true, 1, 2 }, { 0xD1, true, 4, 8 }, { 0xD2, true, 16, 32 }, { 0xD3, false, 0, 0 }, { 0xFF, false, 0, 0 },
    };
    for (const Case& c : cases) {
        uint32_t press = 0;
        uint32_t release = 0;
        EXPECT_EQ(OldMouseCodeFlags(c.code, press, release), c.found) << static_cast<int>(c.code);
        EXPECT_EQ(press, c.press);
        EXPECT_EQ(release, c.release);
    }
}

TEST(GetAxisRecord, SetsTheChosenAxisAndCentresTheOthers)
{
    struct Case { int axis; bool maximum; uint8_t expected[kAxisRecordBytes]; };
    const Case cases[] = {
        { 0, false, { 1, 0, 0, 0, 0x00, 0x80, 0x80, 0x80, 0x80, 0x80, 0 } },
        { 3, true, { 1, 0, 0, 0, 0x80, 0x80, 0x80, 0xFF, 0x80, 0x80, 0 } },
        { 5, false, { 1, 0, 0, 0, 0x80, 0x80, 0x80, 0x80, 0x80, 0x00, 0 } },
        // Beyond the table: axis 0.
        { 6, true, { 1, 0, 0, 0, 0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0 } },
    };
    for (const Case& c : cases) {
        uint8_t record[kAxisRecordBytes] = {};
        GetAxisRecord(c.axis, c.maximum, record);
        for (size_t i = 0; i < kAxisRecordBytes; ++i)
            EXPECT_EQ(record[i], c.expected[i]) << "axis " << c.axis << " byte " << i;
    }
}

TEST(KeyPositionDefaults, ButtonsAtFifteenToSeventeenKeysElsewhere)
{
    struct Case { int position; const wchar_t* key; uint32_t button; uint32_t mouse; };
    const Case cases[] = {
        { 0, L"Tab", 0, 0 }, { 5, L"Caps Lock", 0, 0 }, { 14, L"Left Alt", 0, 0 },
        { 15, nullptr, 8, 6 }, { 16, nullptr, 3, 3 }, { 17, nullptr, 9, 7 },
        { 18, L"Space", 0, 0 }, { 26, L"Home (Note 1)", 0, 0 },
    };
    for (const Case& c : cases) {
        const KeyPositionDefault& preset = GetKeyPositionDefault(c.position);
        if (c.key) {
            ASSERT_FALSE(preset.IsButton()) << c.position;
            EXPECT_STREQ(preset.keyName, c.key);
        } else {
            ASSERT_TRUE(preset.IsButton()) << c.position;
            EXPECT_EQ(preset.buttonId, c.button);
            EXPECT_EQ(preset.mouseButton, c.mouse);
            uint32_t mouse = 0;
            EXPECT_TRUE(GetDefaultMouseButton(c.button, mouse));
            EXPECT_EQ(mouse, c.mouse);
        }
    }
    uint32_t mouse = 0;
    EXPECT_FALSE(GetDefaultMouseButton(4, mouse));
}

TEST(ConverterKeyCode, AddsThePrefixBitsToTheScanCode)
{
    KeyScan plain{ 0x1E, KeyScan::kPlain };
    KeyScan e0{ 0x48, KeyScan::kE0 };
    KeyScan e1{ 0x1D, KeyScan::kE1 };
    EXPECT_EQ(ConverterKeyCode(plain), 0x1Eu);
    EXPECT_EQ(ConverterKeyCode(e0), 0x20048u);
    EXPECT_EQ(ConverterKeyCode(e1), 0x4001Du);
}
