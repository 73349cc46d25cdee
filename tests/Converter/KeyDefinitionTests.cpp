#include "CConverterKeyDefinitions.h"
#include "FakeKeyDefinitions.h"
#include "KeyDefFileWriter.h"
#include "KeyId.h"

#include <gtest/gtest.h>

namespace
{
std::vector<FakeKeyDefinitions::Key> SmallTable()
{
    FakeKeyDefinitions keys;
    keys.Clear();
    keys.AddKey(L"Space", 0x39);
    keys.AddKey(L"Up Arrow (Note 1)", 0x48, KeyScan::kE0);
    keys.AddKey(L"Pause", 0x45, KeyScan::kE1);
    keys.AddKey(L"RESERVED", 0x70);
    keys.AddKey(L"Keyboard Int'l 5 無変換 (Muhenkan)", 0x7B);
    keys.AddKey(L"space", 0x3A);
    return keys.GetKeys();
}
}

TEST(FakeKeyDefinitions, FindsNamesWithoutRegardToCaseAndGivesTheirScanCodes)
{
    FakeKeyDefinitions keys;
    int32_t id = 0;
    ASSERT_TRUE(keys.FindKeyByName(L"LEFT ALT", id));
    EXPECT_EQ(id, HashKeyName(L"Left Alt"));
    EXPECT_EQ(keys.GetScanCode(id).scanCode, 0x38);
    EXPECT_FALSE(keys.FindKeyByName(L"No Such Key", id));
    EXPECT_EQ(keys.GetScanCode(12345).scanCode, 0);
}

TEST(CConverterKeyDefinitions, LooksKeysUpInALoadedKeyDefinitionFile)
{
    std::vector<uint8_t> file = MakeKeyDefinitionFile(SmallTable());
    CConverterKeyDefinitions keys;
    ASSERT_TRUE(keys.LoadKeyDefinitions(file.data(), file.size()));

    struct Case { const wchar_t* name; uint16_t scanCode; uint8_t flag; };
    const Case cases[] = {
        // The first record of the name wins, found without regard to case.
        { L"space", 0x39, KeyScan::kPlain },
        { L"UP ARROW (NOTE 1)", 0x48, KeyScan::kE0 },
        { L"Pause", 0x45, KeyScan::kE1 },
        { L"Keyboard Int'l 5 無変換 (Muhenkan)", 0x7B, KeyScan::kPlain },
        // Found by name, but not usable: no scan code.
        { L"Reserved", 0, KeyScan::kPlain },
        { L"Missing", 0, KeyScan::kPlain },
    };
    for (const Case& c : cases) {
        KeyScan scan = LookUpKeyByName(keys, c.name);
        EXPECT_EQ(scan.scanCode, c.scanCode) << c.name;
        EXPECT_EQ(scan.flag, c.flag) << c.name;
    }
    int32_t id = 0;
    ASSERT_TRUE(keys.FindKeyByName(L"SPACE", id));
    EXPECT_EQ(id, HashKeyName(L"Space"));
}

TEST(CConverterKeyDefinitions, RefusesIncompleteFilesAndCountMismatchedDefaults)
{
    std::vector<uint8_t> file = MakeKeyDefinitionFile(SmallTable());
    file.resize(file.size() - 10);
    CConverterKeyDefinitions truncated;
    EXPECT_FALSE(truncated.LoadKeyDefinitions(file.data(), file.size()));
    CConverterKeyDefinitions empty;
    EXPECT_FALSE(empty.LoadKeyDefinitions(nullptr, 0));

    std::vector<uint8_t> defaults = MakeKeyDefaultsFile(SmallTable());
    struct Case { int extraBytes; bool accepted; };
    const Case cases[] = { { 0, true }, { 3, true }, { 7, true }, { 8, false }, { -8, false } };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = defaults;
        bytes.resize(static_cast<size_t>(static_cast<int>(bytes.size()) + c.extraBytes), 0);
        CConverterKeyDefinitions keys;
        EXPECT_EQ(keys.LoadKeyDefaults(bytes.data(), bytes.size()), c.accepted) << c.extraBytes;
    }
}
