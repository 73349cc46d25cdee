#include "CGuardedBytes.h"
#include "CKeyboardDef.h"
#include "KeyId.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace
{
void Put(std::vector<uint8_t>& bytes, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

struct Scan
{
    int16_t code;
    uint8_t flag;
};

constexpr int32_t kTrueNameLength = INT32_MIN;

// One key record as the key definition file holds it; nameBytes may claim another length.
std::vector<uint8_t> KeyRecord(const std::wstring& name, std::vector<Scan> scan, int32_t nameBytes = kTrueNameLength)
{
    std::vector<uint8_t> bytes;
    if (nameBytes == kTrueNameLength)
        nameBytes = static_cast<int32_t>(name.size() * 2);
    Put(bytes, static_cast<uint32_t>(nameBytes), 4);
    for (wchar_t ch : name)
        Put(bytes, ch, 2);
    Put(bytes, 0x1234, 2);
    Put(bytes, 0xFFFF, 2);
    scan.resize(kScanEntryCount, Scan{ 0, 0 });
    for (const Scan& entry : scan) {
        Put(bytes, static_cast<uint16_t>(entry.code), 2);
        bytes.push_back(entry.flag);
        bytes.push_back(0);
    }
    for (int i = 0; i < 3 * kKeyDefBlockSize; ++i)
        bytes.push_back(static_cast<uint8_t>(i));
    return bytes;
}

std::vector<uint8_t> KeyFile(int32_t count, const std::vector<std::vector<uint8_t>>& records)
{
    std::vector<uint8_t> bytes;
    Put(bytes, static_cast<uint32_t>(count), 4);
    for (const auto& record : records)
        bytes.insert(bytes.end(), record.begin(), record.end());
    return bytes;
}

std::vector<uint8_t> DefaultsFile(uint32_t count, const std::vector<std::pair<int32_t, uint32_t>>& pairs, int extra = 0)
{
    std::vector<uint8_t> bytes;
    Put(bytes, count, 4);
    for (const auto& pair : pairs) {
        Put(bytes, static_cast<uint32_t>(pair.first), 4);
        Put(bytes, pair.second, 4);
    }
    bytes.insert(bytes.end(), static_cast<size_t>(extra), 0);
    return bytes;
}

bool LoadGuarded(CKeyDefTable& table, const std::vector<uint8_t>& bytes)
{
    CGuardedBytes guarded(bytes);
    return table.Load(guarded.Data(), static_cast<int>(bytes.size()));
}

const std::vector<uint8_t> kTab = KeyRecord(L"Tab", { { 0x0F, 0 } });
const std::vector<uint8_t> kUpArrow = KeyRecord(L"Up Arrow (Note 1)", { { 0xE0, 1 }, { 0x48, 0 } });
}

TEST(CKeyDefTable, LoadsRecordsAndDerivesTheirScanCodes)
{
    CKeyDefTable table;
    ASSERT_TRUE(LoadGuarded(table, KeyFile(2, { kTab, kUpArrow })));
    ASSERT_EQ(table.GetRecords().size(), 2u);
    const CKeyDefRecord& tab = table.GetRecords()[0];
    EXPECT_EQ(tab.name, L"Tab");
    EXPECT_EQ(tab.keyId, HashKeyName(L"Tab"));
    EXPECT_EQ(tab.value1, 0x1234);
    EXPECT_EQ(tab.value2, -1);
    EXPECT_EQ(tab.blocks[2][39], 119);
    int16_t scan = 0;
    uint8_t flag = 0;
    EXPECT_TRUE(table.GetScanCode(HashKeyName(L"Up Arrow (Note 1)"), scan, flag));
    EXPECT_EQ(scan, 0x48);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(table.FindKeyByScanCode(0x10048), HashKeyName(L"Up Arrow (Note 1)"));
    EXPECT_EQ(table.FindKeyByScanCode(0x0F), HashKeyName(L"Tab"));
    EXPECT_EQ(table.FindKeyByScanCode(0x48), 0);
    EXPECT_FALSE(table.GetScanCode(HashKeyName(L"Space"), scan, flag));
    EXPECT_EQ(scan, 0);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(table.FindKeyByName(L"up arrow (note 1)"), &table.GetRecords()[1]);
}

TEST(DeriveScanCode, TakesThePrefixFlagAndTheLastCodeOfTheRun)
{
    struct Case { const char* what; std::vector<Scan> scan; int16_t code; uint8_t flag; };
    const Case cases[] = {
        { "plain key", { { 0x1C, 0 }, { 0x2A, 0 } }, 0x1C, 0 },
        { "prefixed run", { { 0x1C, 1 }, { 0x2A, 0 }, { 0x37, 0 } }, 0x37, 1 },
        { "print screen", { { 0xE0, 1 }, { 0x2A, 0 }, { 0xE0, 0 }, { 0x37, 0 } }, 0x37, 1 },
        { "pause", { { 0xE1, 2 }, { 0x1D, 0 }, { 0x45, 0 } }, 0x45, 2 },
        { "run broken at once", { { 0x47, 1 }, { 0x2A, 1 } }, 0x47, 1 },
        { "run ends at a flagged entry", { { 0xE0, 1 }, { 0x10, 0 }, { 0x11, 3 }, { 0x12, 0 } }, 0x10, 1 },
        { "run ends at entry 8", { { 0xE0, 1 }, { 1, 0 }, { 2, 0 }, { 3, 0 }, { 4, 0 }, { 5, 0 }, { 6, 0 }, { 7, 0 }, { 8, 0 }, { 9, 0 } }, 8, 1 },
    };
    for (const Case& c : cases) {
        CKeyDefRecord record;
        for (size_t i = 0; i < c.scan.size(); ++i)
            record.scan[i] = { c.scan[i].code, c.scan[i].flag, 0 };
        DeriveScanCode(record);
        EXPECT_EQ(record.scanCode, c.code) << c.what;
        EXPECT_EQ(record.extended, c.flag) << c.what;
    }
}

TEST(CKeyDefTable, KeepsPlaceholderRecordsOutOfTheKeyMap)
{
    CKeyDefTable table;
    ASSERT_TRUE(LoadGuarded(table, KeyFile(6, { KeyRecord(L"none", { { 1, 0 } }), KeyRecord(L"Reserved", { { 2, 0 } }),
        KeyRecord(L"do not use", { { 3, 0 } }), KeyRecord(L"UNASSIGNED", { { 4, 0 } }),
        KeyRecord(L"Minus", { { -5, 0 } }), kTab })));
    EXPECT_EQ(table.GetRecords().size(), 6u);
    for (const wchar_t* name : { L"none", L"Reserved", L"do not use", L"UNASSIGNED", L"Minus" })
        EXPECT_EQ(table.FindKey(HashKeyName(name)), nullptr) << name;
    EXPECT_NE(table.FindKey(HashKeyName(L"Tab")), nullptr);
    EXPECT_EQ(table.FindKeyByScanCode(1), 0);
}

TEST(CKeyDefTable, TheLaterOfTwoRecordsOfOneNameIsFound)
{
    CKeyDefTable table;
    ASSERT_TRUE(LoadGuarded(table, KeyFile(2, { KeyRecord(L"Tab", { { 0x0F, 0 } }), KeyRecord(L"Tab", { { 0x10, 0 } }) })));
    ASSERT_NE(table.FindKey(HashKeyName(L"Tab")), nullptr);
    EXPECT_EQ(table.FindKey(HashKeyName(L"Tab"))->scanCode, 0x10);
}

TEST(CKeyDefTable, RefusesFilesWhoseRecordsDoNotFitExactlyAndKeepsNoneOfThem)
{
    std::vector<uint8_t> cutTab(kTab.begin(), kTab.end() - 1);
    std::vector<uint8_t> tooLong = KeyRecord(std::wstring(257, L'n'), { { 1, 0 } });
    std::vector<uint8_t> claimsMore = KeyRecord(L"Tab", { { 0x0F, 0 } }, 600);
    std::vector<uint8_t> negative = KeyRecord(L"Tab", { { 0x0F, 0 } }, -2);
    // "Tab" claiming five bytes: its last unit's high byte would be taken as value 1.
    std::vector<uint8_t> oddName = KeyRecord(L"Tab", { { 0x0F, 0 } }, 5);
    oddName.pop_back();
    struct Case { const char* what; std::vector<uint8_t> file; };
    const Case cases[] = {
        { "a partial last record", KeyFile(2, { kTab, cutTab }) },
        { "a count above the records present", KeyFile(3, { kTab, kUpArrow }) },
        { "data after the last record", [] { auto f = KeyFile(1, { kTab }); f.push_back(0); return f; }() },
        { "no records", KeyFile(0, {}) },
        { "a negative count", KeyFile(-1, { kTab }) },
        { "a name over 512 bytes", KeyFile(1, { tooLong }) },
        { "a name length past the data", KeyFile(1, { claimsMore }) },
        { "a negative name length", KeyFile(1, { negative }) },
        { "a header cut short", { 1, 0 } },
        { "only the length of a name", KeyFile(1, { { 6, 0, 0, 0 } }) },
        { "an odd name length after a good record", KeyFile(2, { kTab, oddName }) },
    };
    for (const Case& c : cases) {
        CKeyDefTable table;
        EXPECT_FALSE(LoadGuarded(table, c.file)) << c.what;
        EXPECT_TRUE(table.IsLoaded()) << c.what;
        EXPECT_TRUE(table.GetRecords().empty()) << c.what;
        EXPECT_EQ(table.FindKey(HashKeyName(L"Tab")), nullptr) << c.what;
        EXPECT_EQ(table.FindKeyByScanCode(0x0F), 0) << c.what;
    }
}

TEST(CKeyDefTable, RefusesARecordWhoseNameLengthIsOdd)
{
    // One record claiming a one-byte name: 'a', then value 1 and 2 of -1, a first scan
    // entry of 0x1E and the rest zero; 173 bytes, every record byte inside the data.
    std::vector<uint8_t> file = { 1, 0, 0, 0, 1, 0, 0, 0, 'a', 0xFF, 0xFF, 0xFF, 0xFF, 0x1E, 0, 0, 0 };
    file.resize(173, 0);
    CKeyDefTable table;
    EXPECT_FALSE(LoadGuarded(table, file));
    EXPECT_TRUE(table.GetRecords().empty());
    EXPECT_EQ(table.FindKeyByScanCode(0x1E), 0);
    EXPECT_EQ(table.FindKey(HashKeyName(L"")), nullptr);

    // The same record with its name of two bytes, one byte longer, loads.
    file[4] = 2;
    file.insert(file.begin() + 9, 0);
    CKeyDefTable even;
    ASSERT_TRUE(LoadGuarded(even, file));
    ASSERT_EQ(even.GetRecords().size(), 1u);
    EXPECT_EQ(even.GetRecords()[0].name, L"a");
    EXPECT_EQ(even.FindKeyByScanCode(0x1E), HashKeyName(L"a"));
}

TEST(CKeyDefTable, ASecondLoadReturnsTheFirstResult)
{
    CKeyDefTable failed;
    EXPECT_FALSE(LoadGuarded(failed, KeyFile(3, { kTab })));
    EXPECT_FALSE(LoadGuarded(failed, KeyFile(1, { kUpArrow })));
    EXPECT_TRUE(failed.GetRecords().empty());

    CKeyDefTable loaded;
    EXPECT_TRUE(LoadGuarded(loaded, KeyFile(1, { kTab })));
    EXPECT_TRUE(LoadGuarded(loaded, KeyFile(0, {})));
    EXPECT_EQ(loaded.GetRecords().size(), 1u);

    // No data is no load: a later call with data still reads it.
    CKeyDefTable empty;
    EXPECT_FALSE(empty.Load(nullptr, 0));
    EXPECT_FALSE(empty.IsLoaded());
    EXPECT_TRUE(LoadGuarded(empty, KeyFile(1, { kTab })));
}

TEST(CKeyDefTable, LoadsDefaultsOnlyOfTheRightSize)
{
    const std::vector<std::pair<int32_t, uint32_t>> pairs = { { HashKeyName(L"Tab"), 0x0F }, { 77, 0x10048 } };
    struct Case { const char* what; std::vector<uint8_t> file; bool result; };
    const Case cases[] = {
        { "exact size", DefaultsFile(2, pairs), true },
        { "three bytes more", DefaultsFile(2, pairs, 3), true },
        { "one pair more than present", DefaultsFile(3, pairs), false },
        { "a whole pair more than counted", DefaultsFile(1, pairs), false },
        { "only a count of nothing", DefaultsFile(0, {}), true },
        { "shorter than a count", { 0, 0, 0 }, false },
    };
    for (const Case& c : cases) {
        CKeyDefTable table;
        CGuardedBytes guarded(c.file);
        EXPECT_EQ(table.LoadDefaults(guarded.Data(), static_cast<int>(c.file.size())), c.result) << c.what;
        uint16_t scan = 0;
        uint8_t flag = 0;
        const bool stored = table.GetDefaultKeystroke(77, scan, flag);
        EXPECT_EQ(stored, c.result && !pairs.empty() && c.file.size() >= 20) << c.what;
        if (stored) {
            EXPECT_EQ(scan, 0x48) << c.what;
            EXPECT_EQ(flag, 1) << c.what;
        }
    }
}

TEST(CKeyboardDef, IsAnItemWithTheTableBehindIt)
{
    CKeyboardDef def;
    EXPECT_EQ(def.m_id, -1);
    EXPECT_FALSE(def.IsLoaded());
    EXPECT_EQ(g_numLockKeyId, HashKeyName(L"Num Lock"));
    const IKeyDefaults& defaults = def;
    uint16_t scan = 0;
    uint8_t flag = 0;
    EXPECT_FALSE(defaults.GetDefaultKeystroke(HashKeyName(L"Tab"), scan, flag));
}
