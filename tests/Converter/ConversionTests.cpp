#include "COldDataConverter.h"
#include "FakeKeyDefinitions.h"
#include "OldTreeBuilder.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
CString PayloadHex(const CMWAssignment& assignment)
{
    CString hex;
    for (size_t i = 0; i < CMWAssignment::kPayloadSize; ++i)
        hex.AppendFormat(i == 0 ? L"%02x" : L" %02x", assignment.GetPayloadByte(i));
    return hex;
}

std::vector<uint8_t> RecordBytes(const OldKeySpec& key)
{
    std::map<int, OldKeySpec> records;
    records[0] = key;
    std::vector<uint8_t> blob = OldTreeBuilder::MakeKeymapBlob(records);
    blob.resize(OldKeyRecord::kSize);
    return blob;
}

class ConversionTest : public testing::Test
{
protected:
    ScratchFolder m_folder;
    FakeKeyDefinitions m_keys;
    CMessageLog m_log{ CMessageLog::Target::Text };
    COldIniReader m_reader{ m_folder.Path(), m_log };
    COldDataConverter m_converter{ m_keys, m_reader, m_log };
};
}

TEST_F(ConversionTest, KeyRecordsBecomeServiceRecordsByOldCode)
{
    OldTreeBuilder tree(m_folder.Path());
    OldProfileSpec launcher;
    launcher.name = L"Work";
    launcher.launchPaths[300] = L"C:\\Games\\Run.exe";
    tree.WriteProfile(L"Work", launcher);
    OldProfile profile;
    profile.indexName = L"Work";

    struct Case {
        const wchar_t* what;
        OldKeySpec record;
        uint32_t type;
        const wchar_t* payload;
        const wchar_t* text;
        int reference;
    };
    const wchar_t* zero = L"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00";
    const Case cases[] = {
        { L"unassigned keeps the default Tab", { 0, 0, 0, 0, 0, L"" }, 5,
          L"0f 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", L"", -1 },
        { L"key stroke of an E0 key", { 10, 117, 0, 0, 0, L"" }, 5,
          L"48 00 00 00 00 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00", L"", -1 },
        { L"key stroke of a plain key", { 10, 17, 0, 0, 0, L"" }, 5,
          L"02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", L"", -1 },
        { L"axis 2 to its minimum", { 1, 2, 0, 0, 0, L"" }, 11,
          L"01 00 00 00 80 80 00 80 80 80 00 00 00 00 00 00 00 00 00 00", L"", -1 },
        { L"axis beyond the table to its maximum", { 2, 9, 0, 0, 0, L"" }, 11,
          L"01 00 00 00 ff 80 80 80 80 80 00 00 00 00 00 00 00 00 00 00", L"", -1 },
        { L"axis 5 to its minimum by code 3", { 3, 5, 0, 0, 0, L"" }, 11,
          L"01 00 00 00 80 80 80 80 80 00 00 00 00 00 00 00 00 00 00 00", L"", -1 },
        { L"profile switch", { 4, 1, 0, 0, 0, L"" }, 3,
          L"03 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", L"", 1 },
        { L"launch reads ExeFile k x 100 + p", { 5, 0, 0, 0, 0, L"" }, 9, zero, L"C:\\Games\\Run.exe", -1 },
        { L"mouse 11", { 11, 0, 0, 0, 0, L"" }, 1, L"01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", L"", -1 },
        { L"mouse 12", { 12, 0, 0, 0, 0, L"" }, 1, L"02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", L"", -1 },
        { L"mouse 13", { 13, 0, 0, 0, 0, L"" }, 1, L"03 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", L"", -1 },
        { L"mouse 14", { 14, 0, 0, 0, 0, L"" }, 1, zero, L"", -1 },
        { L"mouse 24", { 24, 0, 0, 0, 0, L"" }, 1, L"0b 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", L"", -1 },
        { L"mouse 25", { 25, 0, 0, 0, 0, L"" }, 1, L"05 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", L"", -1 },
        { L"mouse 26", { 26, 0, 0, 0, 0, L"" }, 1, L"04 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", L"", -1 },
        { L"mouse 27", { 27, 0, 0, 0, 0, L"" }, 1, L"06 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", L"", -1 },
        { L"mouse 28", { 28, 0, 0, 0, 0, L"" }, 1, L"07 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", L"", -1 },
        { L"key-map shift", { 15, 0, 1, 0, 0, L"" }, 12,
          L"02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", L"", -1 },
        { L"switch to key map 1", { 16, 0, 0, 0, 0, L"" }, 12,
          L"03 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", L"Keymap 1", -1 },
        { L"latched switch to key map 8", { 23, 0, 1, 0, 0, L"" }, 12,
          L"04 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", L"Keymap 8", -1 },
        { L"macro, play mode 2, count from the low byte", { 32, 0, 0, 2, 0x1205, L"C:\\Old\\User Macros\\Fire.ini" }, 8,
          L"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 03 05 00 00", L"C:\\Old\\User Macros\\Fire.ini", -1 },
        { L"macro with an unknown play mode", { 32, 0, 0, 7, 1, L"Fire.ini" }, 8,
          L"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 01 00 00", L"Fire.ini", -1 },
        { L"unknown old code keeps the default", { 99, 0, 0, 0, 0, L"" }, 5,
          L"0f 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", L"", -1 },
        { L"key code without a key keeps the default", { 10, 29, 0, 0, 0, L"" }, 5,
          L"0f 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", L"", -1 },
    };
    CMWEntry entry = m_converter.MakeDefaultEntry(0);
    ASSERT_EQ(entry.id, 0x0Fu);
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = RecordBytes(c.record);
        CMWAssignment converted = m_converter.ConvertKeyRecord(OldKeyRecord(bytes.data()), entry, profile, 3, 0, 2);
        EXPECT_EQ(converted.GetType(), c.type) << c.what;
        EXPECT_EQ(converted.GetId(), 0x0Fu) << c.what;
        EXPECT_EQ(converted.m_record[0], 1) << c.what;
        EXPECT_STREQ(PayloadHex(converted), c.payload) << c.what;
        EXPECT_STREQ(converted.m_text, c.text) << c.what;
        EXPECT_EQ(converted.m_reference, c.reference) << c.what;
    }
    EXPECT_NE(m_log.GetText().Find(L"old assignment code 99 is unknown"), -1) << m_log.GetText().GetString();
    EXPECT_NE(m_log.GetText().Find(L"old key code 29 has no key"), -1) << m_log.GetText().GetString();
}

TEST_F(ConversionTest, ProfileSwitchBeyondTheProfilesKeepsTheDefaultWithAWarning)
{
    OldProfile profile;
    profile.indexName = L"Work";
    CMWEntry entry = m_converter.MakeDefaultEntry(16);
    ASSERT_EQ(entry.kind, CMWEntry::kButton);
    std::vector<uint8_t> bytes = RecordBytes({ 4, 2, 0, 0, 0, L"" });
    CMWAssignment converted = m_converter.ConvertKeyRecord(OldKeyRecord(bytes.data()), entry, profile, 0, 16, 2);
    EXPECT_TRUE(converted.RecordEquals(entry.defaultAssignment));
    EXPECT_NE(m_log.GetText().Find(L"WARNING: Profile Work, Keymap 1, key 16 switches to profile 2"), -1)
        << m_log.GetText().GetString();
}

TEST_F(ConversionTest, MacroTextIsReadAtMost129Units)
{
    CString longText(L'x', 140);
    std::vector<uint8_t> bytes = RecordBytes({ 32, 0, 0, 0, 0, longText });
    EXPECT_EQ(OldKeyRecord(bytes.data()).GetText().GetLength(), 129);
}

TEST_F(ConversionTest, DefaultEntriesComeFromTheKeyDefinitions)
{
    CMWEntry space = m_converter.MakeDefaultEntry(18);
    EXPECT_EQ(space.kind, CMWEntry::kKey);
    EXPECT_EQ(space.id, 0x39u);
    CMWEntry up = m_converter.MakeDefaultEntry(19);
    EXPECT_EQ(up.id, 0x20048u);
    EXPECT_TRUE(up.defaultAssignment.IsExtendedKey());
    EXPECT_EQ(up.defaultAssignment.GetScanCode(), 0x48);
    CMWEntry button = m_converter.MakeDefaultEntry(17);
    EXPECT_EQ(button.kind, CMWEntry::kButton);
    EXPECT_EQ(button.id, 9u);
    EXPECT_EQ(button.defaultAssignment.GetType(), CMWAssignment::kMouseButton);
    EXPECT_EQ(button.defaultAssignment.GetPayloadU32(0), 7u);

    FakeKeyDefinitions none;
    none.Clear();
    COldDataConverter bare(none, m_reader, m_log);
    EXPECT_EQ(bare.MakeDefaultEntry(0).id, 0u);
    EXPECT_EQ(bare.MakeDefaultEntry(0).kind, CMWEntry::kNone);
}

TEST_F(ConversionTest, MacroEventsConvertByCodeAndWord)
{
    struct Case {
        uint8_t code;
        uint32_t word;
        bool converted;
        uint32_t type;
        uint32_t value;
        const wchar_t* message;
    };
    const Case cases[] = {
        { 0xFF, 250, true, 3, 250, nullptr },
        { 0xD0, 1, true, 1, 1, nullptr },
        { 0xD0, 0, true, 1, 2, nullptr },
        { 0xD1, 1, true, 1, 4, nullptr },
        { 0xD2, 0, true, 1, 32, nullptr },
        { 0xD1, 2, true, 1, 4, L"WARNING: Spurious value - 2 specified for macro element flags\n" },
        { 19, 1, true, 2, 0x0F, nullptr },
        { 19, 0, true, 2, 0x1000F, nullptr },
        { 117, 1, true, 2, 0x20048, nullptr },
        { 117, 0, true, 2, 0x30048, nullptr },
        { 118, 1, true, 2, 0x4001D, nullptr },
        { 23, 1, true, 2, 0x7B, nullptr },
        { 21, 7, true, 2, 0x01, L"WARNING: Spurious value - 7 specified for macro element flags\n" },
        { 0, 1, false, 0, 0, L"WARNING: Ignoring null key value in macro\n" },
        { 29, 1, false, 0, 0, nullptr },
        { 0xD3, 1, false, 0, 0, nullptr },
    };
    for (const Case& c : cases) {
        CMessageLog log(CMessageLog::Target::Text);
        COldDataConverter converter(m_keys, m_reader, log);
        CMWMacroEvent event;
        EXPECT_EQ(converter.ConvertMacroEvent(c.code, c.word, event), c.converted) << static_cast<int>(c.code);
        if (c.converted) {
            EXPECT_EQ(event.type, c.type) << static_cast<int>(c.code);
            EXPECT_EQ(event.value, c.value) << static_cast<int>(c.code);
        }
        EXPECT_STREQ(log.GetText(), c.message ? c.message : L"") << static_cast<int>(c.code);
    }
}

TEST_F(ConversionTest, MacroNamesAreTheFileNameWithoutFolderAndExtension)
{
    struct Case { const wchar_t* path; const wchar_t* name; bool warns; };
    const Case cases[] = {
        { L"C:\\Old\\User Macros\\Fire.ini", L"Fire", false },
        { L"C:\\Old\\User Macros\\Fire.INI", L"Fire", false },
        { L"C:\\Old\\v1.2\\Burst.txt", L"Burst", true },
        { L"C:\\Old.d\\NoDot", L"NoDot", true },
        { L"Plain", L"Plain", true },
        { L"", L"", true },
    };
    for (const Case& c : cases) {
        CMessageLog log(CMessageLog::Target::Text);
        COldDataConverter converter(m_keys, m_reader, log);
        EXPECT_STREQ(converter.MacroNameOfPath(c.path), c.name) << c.path;
        EXPECT_EQ(log.GetText() == FormatString(L"WARNING: %s may not be ini file format\n", c.path), c.warns) << c.path;
    }
}

namespace
{
// An old tree of one profile whose key map 0 names macros by their old paths.
class ReferenceTest : public ConversionTest
{
protected:
    std::unique_ptr<CMWData> Convert(const std::map<std::pair<int, int>, OldKeySpec>& records)
    {
        OldTreeBuilder tree(m_folder.Path());
        tree.WriteIndex({ L"Game", L"Other" }, 0);
        OldProfileSpec game;
        game.name = L"Game";
        game.records = records;
        tree.WriteProfile(L"Game", game);
        OldProfileSpec other;
        other.name = L"Other";
        tree.WriteProfile(L"Other", other);
        tree.WriteMacro(L"Fire.ini", { { 19, 1 }, { 0xFF, 40 }, { 19, 0 } });
        tree.WriteMacro(L"Dud.ini", { { 0, 1 }, { 0, 0 } });
        OldData old;
        EXPECT_TRUE(m_reader.ReadAllProfiles(old));
        auto data = std::make_unique<CMWData>(old.header.profileCount);
        EXPECT_TRUE(m_converter.ConvertMacros(*data));
        m_converter.ConvertProfiles(old, *data);
        m_converter.ResolveReferences(*data);
        return data;
    }
};
}

TEST_F(ReferenceTest, MacroNamesResolveWithoutRegardToCase)
{
    std::map<std::pair<int, int>, OldKeySpec> records;
    records[{ 0, 1 }] = { 32, 0, 0, 0, 1, L"D:\\Elsewhere\\fIRE.ini" };
    records[{ 0, 2 }] = { 32, 0, 0, 0, 1, L"D:\\Elsewhere\\Fire" };
    std::unique_ptr<CMWData> data = Convert(records);
    const CMWKeymap& keymap = *data->m_profiles[0].m_keymaps[0];
    EXPECT_EQ(keymap.m_entries[1].current.GetType(), CMWAssignment::kMacro);
    EXPECT_STREQ(keymap.m_entries[1].current.m_text, L"Fire");
    EXPECT_STREQ(keymap.m_entries[2].current.m_text, L"Fire");
    EXPECT_NE(m_log.GetText().Find(L"WARNING: D:\\Elsewhere\\Fire may not be ini file format\n"), -1);
}

TEST_F(ReferenceTest, MissingOrEmptyMacroFallsBackToTheDefaultKey)
{
    std::map<std::pair<int, int>, OldKeySpec> records;
    records[{ 0, 1 }] = { 32, 0, 0, 0, 1, L"C:\\Old\\User Macros\\Missing.ini" };
    records[{ 0, 2 }] = { 32, 0, 0, 0, 1, L"C:\\Old\\User Macros\\Dud.ini" };
    std::unique_ptr<CMWData> data = Convert(records);
    const CMWKeymap& keymap = *data->m_profiles[0].m_keymaps[0];
    for (int p : { 1, 2 }) {
        const CMWEntry& entry = keymap.m_entries[p];
        EXPECT_TRUE(entry.current.RecordEquals(entry.defaultAssignment)) << p;
        EXPECT_EQ(entry.current.GetType(), CMWAssignment::kKeyStroke) << p;
    }
    const CString& log = m_log.GetText();
    EXPECT_NE(log.Find(L"ERROR! assigned macro - Missing could not be found\n       Reassigning to default...\n"), -1) << log.GetString();
    EXPECT_NE(log.Find(L"ERROR! assigned macro - Dud could not be found\n       Reassigning to default...\n"), -1) << log.GetString();
    EXPECT_NE(log.Find(L"ERROR! Macro Dud: element at position 1 failed to process\n"), -1) << log.GetString();
}

TEST_F(ReferenceTest, ProfileSwitchTakesTheTargetProfilesName)
{
    std::map<std::pair<int, int>, OldKeySpec> records;
    records[{ 2, 4 }] = { 4, 1, 0, 0, 0, L"" };
    std::unique_ptr<CMWData> data = Convert(records);
    const CMWAssignment& current = data->m_profiles[0].m_keymaps[2]->m_entries[4].current;
    EXPECT_EQ(current.GetType(), CMWAssignment::kProfileSwitch);
    EXPECT_STREQ(current.m_text, L"Other");
    EXPECT_EQ(data->m_activeProfile, &data->m_profiles[0]);
}

TEST_F(ConversionTest, ProfileNameMismatchIsReportedAndTheIndexNameKept)
{
    struct Case { const wchar_t* indexName; const wchar_t* fileName; const wchar_t* message; const wchar_t* kept; };
    const Case cases[] = {
        { L"Game", L"GAME", L"", L"GAME" },
        { L"Game", L"Race", L"WARNING: Profile names in ini files Race and Game do not match - Possible data corruption\n",
          L"Game" },
        { L"Game(2)", L"Game", L"INFO: Suspected profile import Game(2) found\n", L"Game(2)" },
        { L"Game(12)", L"Game",
          L"WARNING: Profile names in ini files Game and Game(12) do not match - Possible data corruption\n", L"Game(12)" },
    };
    for (const Case& c : cases) {
        OldData old;
        old.header.profileCount = 1;
        old.profiles[0].indexName = c.indexName;
        old.profiles[0].fileName = c.fileName;
        old.profiles[0].brightness = 250;
        CMessageLog log(CMessageLog::Target::Text);
        COldDataConverter converter(m_keys, m_reader, log);
        CMWData data(1);
        converter.ConvertProfiles(old, data);
        EXPECT_STREQ(log.GetText(), c.message) << c.indexName;
        EXPECT_STREQ(data.m_profiles[0].GetName(), c.kept) << c.indexName;
        EXPECT_EQ(data.m_profiles[0].m_brightness, 100);
    }
}
