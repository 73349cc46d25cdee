#include "COldIniReader.h"
#include "OldTreeBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
class IniReaderTest : public testing::Test
{
protected:
    ScratchFolder m_folder;
    OldTreeBuilder m_tree{ m_folder.Path() };
    CMessageLog m_log{ CMessageLog::Target::Text };
    COldIniReader m_reader{ m_folder.Path(), m_log };

    void WriteSimpleProfile(const CString& name)
    {
        OldProfileSpec profile;
        profile.name = name;
        m_tree.WriteProfile(name, profile);
    }
};
}

TEST_F(IniReaderTest, ReadsTheIndexAndEveryProfileFile)
{
    m_tree.WriteIndex({ L"Alpha", L"Beta" }, 1, -1, 1);
    OldProfileSpec alpha;
    alpha.name = L"Alpha";
    alpha.exe = L"C:\\Games\\alpha.exe";
    alpha.switchFlag = 1;
    alpha.keymap = 6;
    alpha.brightness = 42;
    alpha.records[{ 7, 26 }] = { 32, 1, 2, 3, 0x0405, L"Fire.ini" };
    m_tree.WriteProfile(L"Alpha", alpha);
    WriteSimpleProfile(L"Beta");

    OldData data;
    ASSERT_TRUE(m_reader.ReadAllProfiles(data));
    EXPECT_EQ(data.header.profileCount, 2);
    EXPECT_EQ(data.header.current, 1);
    EXPECT_EQ(data.header.autoSwitch, 1);
    EXPECT_EQ(data.header.showScreen, 1);
    EXPECT_EQ(data.header.pollingRate, 1000);
    EXPECT_EQ(data.header.onboardProfile, 1);
    const OldProfile& read = data.profiles[0];
    EXPECT_STREQ(read.indexName, L"Alpha");
    EXPECT_STREQ(read.fileName, L"Alpha");
    EXPECT_STREQ(read.application, L"C:\\Games\\alpha.exe");
    EXPECT_EQ(read.switchFlag, 1);
    EXPECT_EQ(read.activeKeymap, 6);
    EXPECT_EQ(read.brightness, 42);
    OldKeyRecord record = read.GetRecord(7, 26);
    EXPECT_EQ(record.GetCode(), 32);
    EXPECT_EQ(record.GetOperand(), 1);
    EXPECT_EQ(record.GetFlag(), 2);
    EXPECT_EQ(record.GetPlayMode(), 3);
    EXPECT_EQ(record.GetValue(), 0x0405);
    EXPECT_STREQ(record.GetText(), L"Fire.ini");
    EXPECT_EQ(read.GetRecord(7, 25).GetCode(), 0);
    EXPECT_STREQ(data.profiles[1].indexName, L"Beta");
    EXPECT_STREQ(m_log.GetText(), L"");
}

TEST_F(IniReaderTest, ASixtyCharacterNameIsCutTo49BeforeTheFileIsFound)
{
    CString longName = CString(L"N", 1) + CString(L'x', 59);
    CString cut = longName.Left(49);
    m_tree.WriteIndex({ longName }, 0);
    WriteSimpleProfile(cut);
    OldData data;
    ASSERT_TRUE(m_reader.ReadAllProfiles(data));
    EXPECT_STREQ(data.profiles[0].indexName, cut);
    EXPECT_NE(m_log.GetText().Find(L"WARNING: Profile name " + longName + L" is longer than 49 characters - cut to "
                  + cut + L"\n"), -1) << m_log.GetText().GetString();
}

TEST_F(IniReaderTest, LongNameAndExeValuesAreCutWithAWarning)
{
    m_tree.WriteIndex({ L"Alpha" }, 0);
    OldProfileSpec alpha;
    alpha.name = L"Alpha";
    alpha.exe = CString(L"C:\\") + CString(L'p', 60);
    m_tree.WriteProfile(L"Alpha", alpha);
    OldData data;
    ASSERT_TRUE(m_reader.ReadAllProfiles(data));
    EXPECT_EQ(data.profiles[0].application.GetLength(), 49);
    EXPECT_NE(m_log.GetText().Find(L"WARNING: Application C:\\ppp"), -1) << m_log.GetText().GetString();
}

TEST_F(IniReaderTest, TextsKeepTheLowByteOfEachUnit)
{
    EXPECT_STREQ(ReduceTo8Bits(L"Caf\u00e9 \u0141"), L"Caf\u00e9 A");
    EXPECT_STREQ(ReduceTo8Bits(L"ab\u0100cd"), L"ab");
}

TEST_F(IniReaderTest, AProfileLackingOneKeyMapOrWithABadChecksumFailsTheRead)
{
    struct Case { const wchar_t* what; int missing; int badChecksum; };
    const Case cases[] = { { L"missing macro5", 5, -1 }, { L"bad checksum in macro2", -1, 2 } };
    for (const Case& c : cases) {
        ScratchFolder folder;
        OldTreeBuilder tree(folder.Path());
        tree.WriteIndex({ L"Alpha" }, 0);
        OldProfileSpec alpha;
        alpha.name = L"Alpha";
        alpha.missingSection = c.missing;
        alpha.badChecksumSection = c.badChecksum;
        tree.WriteProfile(L"Alpha", alpha);
        CMessageLog log(CMessageLog::Target::Text);
        COldIniReader reader(folder.Path(), log);
        OldData data;
        EXPECT_FALSE(reader.ReadAllProfiles(data)) << c.what;
        EXPECT_STREQ(log.GetText(), L"ERROR! Profile file " + folder.Path()
            + L"User Profiles\\Alpha.ini is missing or a key map in it is unreadable\n") << c.what;
    }
}

TEST_F(IniReaderTest, AMissingIndexGivesNoProfiles)
{
    OldData data;
    EXPECT_TRUE(m_reader.ReadAllProfiles(data));
    EXPECT_EQ(data.header.profileCount, 0);
}

TEST_F(IniReaderTest, MoreThanTwentyProfilesAreClampedWithAWarning)
{
    std::vector<CString> names;
    for (int i = 0; i < 25; ++i) {
        names.push_back(FormatString(L"P%d", i));
        WriteSimpleProfile(names.back());
    }
    m_tree.WriteIndex(names, 0);
    OldData data;
    ASSERT_TRUE(m_reader.ReadAllProfiles(data));
    EXPECT_EQ(data.header.profileCount, 20);
    EXPECT_STREQ(data.profiles[19].indexName, L"P19");
    EXPECT_NE(m_log.GetText().Find(L"WARNING: 25 profiles listed, only the first 20 are converted\n"), -1);
}

TEST_F(IniReaderTest, NoMacroFolderMeansNoMacros)
{
    std::vector<CString> paths{ L"stale" };
    EXPECT_TRUE(m_reader.ListMacroFiles(paths));
    EXPECT_TRUE(paths.empty());
    ASSERT_TRUE(CreateDirectoryW(m_tree.MacrosFolder(), nullptr));
    EXPECT_TRUE(m_reader.ListMacroFiles(paths));
    EXPECT_TRUE(paths.empty());
}

TEST_F(IniReaderTest, MacroFilesAreListedAsFullPathsInNameOrder)
{
    m_tree.WriteMacro(L"beta.ini", { { 19, 1 } });
    m_tree.WriteMacro(L"Alpha.ini", { { 19, 1 } });
    m_tree.WriteMacro(L"notes.txt", { { 19, 1 } });
    ASSERT_TRUE(CreateDirectoryW(m_tree.MacrosFolder() + L"folder.ini", nullptr));
    std::vector<CString> paths;
    ASSERT_TRUE(m_reader.ListMacroFiles(paths));
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_STREQ(paths[0], m_tree.MacrosFolder() + L"Alpha.ini");
    EXPECT_STREQ(paths[1], m_tree.MacrosFolder() + L"beta.ini");
}

TEST_F(IniReaderTest, MacroEventCountsFollowCountWithinOneChunk)
{
    struct Case { const wchar_t* file; int events; int count; int expected; bool warns; };
    const Case cases[] = {
        { L"m999.ini", 999, OldTreeBuilder::kCountOfEvents, 999, false },
        { L"m1000.ini", 1000, OldTreeBuilder::kCountOfEvents, 1000, true },
        { L"m1500.ini", 1000, 1500, 1000, true },
        { L"empty.ini", 0, 0, 0, false },
        { L"negative.ini", 1, -5, 0, false },
    };
    for (const Case& c : cases) {
        std::vector<OldMacroEvent> events(static_cast<size_t>(c.events), OldMacroEvent(0xFF, 10));
        if (!events.empty())
            events.back() = OldMacroEvent(19, 1);
        m_tree.WriteMacro(c.file, events, c.count);
        CMessageLog log(CMessageLog::Target::Text);
        COldIniReader reader(m_folder.Path(), log);
        std::vector<uint8_t> buffer;
        EXPECT_EQ(reader.ReadMacroFile(m_tree.MacrosFolder() + c.file, buffer), c.expected) << c.file;
        ASSERT_EQ(buffer.size(), 8000u);
        if (c.expected > 0) {
            EXPECT_EQ(buffer[8 * static_cast<size_t>(c.expected - 1)], 19) << c.file;
        }
        EXPECT_EQ(log.GetText().Find(L"only the first 1000 are converted") != -1, c.warns) << c.file;
        EXPECT_EQ(log.GetText().Find(L"has no events") != -1, c.expected == 0) << c.file;
    }
}

TEST_F(IniReaderTest, AMacroBlobWithABadChecksumGivesNoEvents)
{
    m_tree.WriteMacro(L"bad.ini", { { 19, 1 } });
    CString path = m_tree.MacrosFolder() + L"bad.ini";
    wchar_t text[17000];
    DWORD length = GetPrivateProfileStringW(L"Setting", L"MacroSetting_0", L"", text, 17000, path);
    ASSERT_EQ(length, 16002u);
    text[0] = text[0] == L'1' ? L'2' : L'1';
    ASSERT_TRUE(WritePrivateProfileStringW(L"Setting", L"MacroSetting_0", text, path));
    std::vector<uint8_t> buffer;
    EXPECT_EQ(m_reader.ReadMacroFile(path, buffer), 0);
    EXPECT_STREQ(m_log.GetText(), L"ERROR! Macro file " + path + L": its events cannot be read\n");
}

TEST_F(IniReaderTest, LaunchPathsAreReadByKeymapAndPosition)
{
    m_tree.WriteIndex({ L"Alpha" }, 0);
    OldProfileSpec alpha;
    alpha.name = L"Alpha";
    alpha.launchPaths[726] = L"C:\\Tools\\seven.exe";
    alpha.launchPaths[5] = L"C:\\Tools\\five.exe";
    m_tree.WriteProfile(L"Alpha", alpha);
    EXPECT_STREQ(m_reader.ReadLaunchPath(L"Alpha", 7, 26), L"C:\\Tools\\seven.exe");
    EXPECT_STREQ(m_reader.ReadLaunchPath(L"Alpha", 0, 5), L"C:\\Tools\\five.exe");
    EXPECT_STREQ(m_reader.ReadLaunchPath(L"Alpha", 0, 6), L"");
}
