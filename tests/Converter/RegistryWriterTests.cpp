#include "CConverterKeyDefinitions.h"
#include "CRegistryWriter.h"
#include "ConverterDriver.h"
#include "FakeKeyDefinitions.h"
#include "FullFixture.h"
#include "GuidText.h"
#include "KeyDefFileWriter.h"
#include "RegistryTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace
{
CString ReadTextFile(const CString& path)
{
    std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path);
    if (!bytes)
        return CString();
    std::string utf8(bytes->begin(), bytes->end());
    int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    CString text;
    if (units > 0) {
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.GetBuffer(units), units);
        text.ReleaseBuffer(units);
    }
    return text;
}

void WriteTextFile(const CString& path, const CString& text)
{
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.GetString(), text.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.GetString(), text.GetLength(), &utf8[0], bytes, nullptr, nullptr);
    FILE* file = _wfopen(path, L"wb");
    ASSERT_NE(file, nullptr);
    fwrite(utf8.data(), 1, utf8.size(), file);
    fclose(file);
}

// The converter run in-process on a fixture folder, writing below a scratch key.
class StoreTest : public testing::Test
{
protected:
    ScratchFolder m_program;
    ScratchFolder m_data;
    ScratchRegistryKey m_registry;
    FakeKeyDefinitions m_keys;
    CMessageLog m_log{ CMessageLog::Target::Text };
    SequentialGuids m_guids;

    void SetUp() override
    {
        FILE* file = _wfopen(m_program.Path() + L"kbddef.dat", L"wb");
        ASSERT_NE(file, nullptr);
        fputs("keys", file);
        fclose(file);
    }

    ConverterEnvironment Environment()
    {
        ConverterEnvironment environment;
        environment.programFolder = m_program.Path();
        environment.defaultDataFolder = m_data.Path();
        environment.storePath = m_registry.StorePath();
        environment.newGuid = std::ref(m_guids);
        return environment;
    }

    int Run(std::vector<const wchar_t*> arguments) { return Run(arguments, m_keys); }

    int Run(std::vector<const wchar_t*> arguments, IKeyDefinitions& keys)
    {
        arguments.insert(arguments.begin(), L"C:\\Program Files\\Kavro\\ProfileConverter.exe");
        return RunConverter(static_cast<int>(arguments.size()), arguments.data(), keys, Environment(), m_log);
    }

    void ExpectGoldenTree()
    {
        CString dump = DumpRegistryTree(m_registry.StorePath());
        CString goldenPath = CString(VELMORA_CONVERTER_TEST_DATA) + L"FullFixtureRegistry.txt";
        CString golden = ReadTextFile(goldenPath);
        if (dump != golden)
            WriteTextFile(L"FullFixtureRegistry.actual.txt", dump);
        EXPECT_TRUE(dump == golden) << "the written tree differs from " << goldenPath.GetString()
                                    << "; it was saved as FullFixtureRegistry.actual.txt in the test's folder";
    }

    CString ProfilePath(const wchar_t* guid) const { return m_registry.ProductPath() + L"\\Profiles\\" + guid; }
};

const wchar_t kDefaultProfile[] = L"{232EFC9F-25A8-47C7-A798-451F3C2946DF}";
const wchar_t kKeymap1[] = L"{0C77BEC4-3C42-44B9-8B72-776E69C8DE65}";
}

TEST(CRegistryWriterValues, LedBrightnessScalesToAByte)
{
    struct Case { int brightness; uint8_t led; };
    const Case cases[] = { { 100, 255 }, { 50, 127 }, { 1, 2 }, { 0, 2 }, { 300, 255 } };
    for (const Case& c : cases)
        EXPECT_EQ(CRegistryWriter::LedBrightness(c.brightness), c.led) << c.brightness;
}

TEST(CRegistryWriterValues, ProfileRecordCutsTextsToTheirFields)
{
    CString name(L'n', 60);
    CString application(L'a', 200);
    GUID guid = CRegistryWriter::kDefaultProfileGuid;
    std::vector<uint8_t> record = CRegistryWriter::MakeProfileValue(name, application, guid, true);
    ASSERT_EQ(record.size(), 356u);
    EXPECT_EQ(record[2 * 38], 'n');
    EXPECT_EQ(record[2 * 39], 0);
    EXPECT_EQ(record[80 + 2 * 126], 'a');
    EXPECT_EQ(record[80 + 2 * 127], 0);
    EXPECT_EQ(memcmp(record.data() + 336, &guid, 16), 0);
    EXPECT_EQ(record[352], 5);
    EXPECT_EQ(record[353], 0);
    EXPECT_EQ(CRegistryWriter::MakeProfileValue(name, application, guid, false)[352], 4);
}

TEST(CRegistryWriterValues, DefaultTestComparesTheAssignmentWithThePositionsOwnKey)
{
    CMWEntry key;
    key.kind = CMWEntry::kKey;
    key.id = 0x20048;
    key.current = CMWAssignment::KeyStroke(0x48, true);
    key.current.SetId(0x20048);
    EXPECT_TRUE(CRegistryWriter::IsDefaultAssignment(key));
    key.current = CMWAssignment::KeyStroke(0x48, false);
    key.current.SetId(0x20048);
    EXPECT_FALSE(CRegistryWriter::IsDefaultAssignment(key));

    CMWEntry button;
    button.kind = CMWEntry::kButton;
    button.id = 8;
    button.current = CMWAssignment::MouseButton(6);
    EXPECT_TRUE(CRegistryWriter::IsDefaultAssignment(button));
    button.current = CMWAssignment::MouseButton(7);
    EXPECT_FALSE(CRegistryWriter::IsDefaultAssignment(button));
}

TEST_F(StoreTest, FullFixtureGivesTheGoldenRegistryTree)
{
    WriteFullFixture(m_data.Path());
    ASSERT_EQ(Run({ m_data.Argument() }), kExitConverted) << m_log.GetText().GetString();
    ExpectGoldenTree();

    EXPECT_STREQ(m_log.GetText(),
        L"WARNING: Ignoring null key value in macro\n"
        L"ERROR! Macro Burst: element at position 1 failed to process\n"
        L"WARNING: Ignoring null key value in macro\n"
        L"ERROR! Macro Dud: element at position 0 failed to process\n"
        L"INFO: Suspected profile import Racing(2) found\n"
        L"ERROR! assigned macro - Gone could not be found\n"
        L"       Reassigning to default...\n");
}

TEST_F(StoreTest, TheKeyDefinitionFileBesideTheProgramGivesTheSameTree)
{
    // The same keys as the small table, written as the program's kbddef.dat and velmodef.dat.
    WriteBinaryFile(m_program.Path() + L"kbddef.dat", MakeKeyDefinitionFile(m_keys.GetKeys()));
    WriteBinaryFile(m_program.Path() + L"velmodef.dat", MakeKeyDefaultsFile(m_keys.GetKeys()));
    WriteFullFixture(m_data.Path());
    CConverterKeyDefinitions keys;
    ASSERT_EQ(Run({ m_data.Argument() }, keys), kExitConverted) << m_log.GetText().GetString();
    EXPECT_EQ(m_log.GetText().Find(L"Key defaults file"), -1) << m_log.GetText().GetString();
    ExpectGoldenTree();
}

TEST_F(StoreTest, AnIncompleteKeyDefinitionFileRefusesTheRun)
{
    std::vector<uint8_t> file = MakeKeyDefinitionFile(m_keys.GetKeys());
    file.resize(file.size() / 2);
    WriteBinaryFile(m_program.Path() + L"kbddef.dat", file);
    WriteFullFixture(m_data.Path());
    CConverterKeyDefinitions keys;
    EXPECT_EQ(Run({ m_data.Argument() }, keys), kExitNothingConverted);
    EXPECT_EQ(m_log.GetText().Find(L"ERROR! Key definition file "), 0) << m_log.GetText().GetString();
    EXPECT_FALSE(RegistryKeyExists(m_registry.StorePath()));
}

TEST_F(StoreTest, ARerunLeavesNoStaleValuesInTheDefaultProfile)
{
    WriteFullFixture(m_data.Path());
    ASSERT_EQ(Run({ m_data.Argument() }), kExitConverted) << m_log.GetText().GetString();
    CString keys = ProfilePath(kDefaultProfile) + L"\\SubProfiles\\" + kKeymap1 + L"\\KEYS";
    ASSERT_FALSE(ReadRegistryValue(keys, L"00000010").empty());

    // The second run's Default profile has nothing assigned.
    OldTreeBuilder tree(m_data.Path());
    OldProfileSpec plain;
    plain.name = L"Default";
    tree.WriteProfile(L"Default", plain);
    m_guids.next = 100;
    ASSERT_EQ(Run({ m_data.Argument() }), kExitConverted) << m_log.GetText().GetString();
    EXPECT_TRUE(RegistryKeyExists(keys));
    EXPECT_TRUE(ReadRegistryValue(keys, L"00000010").empty());
    EXPECT_TRUE(ReadRegistryValue(ProfilePath(kDefaultProfile) + L"\\SubProfiles\\" + kKeymap1 + L"\\BUTTONS",
        L"00000008").empty());
}

TEST_F(StoreTest, WithoutAnActiveProfileNeitherActiveProfileNorDeviceIsWritten)
{
    OldTreeBuilder tree(m_data.Path());
    tree.WriteIndex({ L"Solo" }, 4);
    OldProfileSpec solo;
    solo.name = L"Solo";
    tree.WriteProfile(L"Solo", solo);
    ASSERT_EQ(Run({ m_data.Argument() }), kExitConverted) << m_log.GetText().GetString();
    EXPECT_NE(m_log.GetText().Find(L"WARNING: No active profile"), -1) << m_log.GetText().GetString();
    EXPECT_TRUE(ReadRegistryValue(m_registry.ProductPath(), L"Device").empty());
    EXPECT_TRUE(ReadRegistryValue(m_registry.ProductPath() + L"\\Profiles", L"ActiveProfile").empty());
    EXPECT_TRUE(RegistryKeyExists(ProfilePath(L"{00000000-0000-0000-0000-000000000001}")));
}

TEST_F(StoreTest, TwentyProfilesAndFiftyMacrosAreAllWritten)
{
    WriteLargeFixture(m_data.Path(), 20, 50);
    ASSERT_EQ(Run({ m_data.Argument() }), kExitConverted) << m_log.GetText().GetString();
    EXPECT_EQ(m_log.GetText().Find(L"ERROR!"), -1) << m_log.GetText().GetString();
    std::vector<uint8_t> device = ReadRegistryValue(m_registry.ProductPath(), L"Device");
    ASSERT_EQ(device.size(), 366u);
    for (int i = 0; i < 20; ++i) {
        GUID guid;
        memcpy(&guid, device.data() + 46 + 16 * i, sizeof(guid));
        CString path = ProfilePath(GuidToString(guid));
        EXPECT_TRUE(RegistryKeyExists(path)) << i;
        std::vector<uint8_t> name = ReadRegistryValue(path, L"Name");
        EXPECT_FALSE(name.empty()) << i;
    }
    for (int m = 0; m < 50; ++m) {
        // Profiles took GUIDs 1 to 19 ("Default" has its own), the macros follow in name order.
        CString path = m_registry.ProductPath() + L"\\Macros\\"
            + GuidToString(GuidFromWords(0, 0, 0, static_cast<uint32_t>(20 + m) << 24));
        std::vector<uint8_t> name = ReadRegistryValue(path, L"Name");
        CString expected = FormatString(L"Macro %02d", m);
        ASSERT_EQ(name.size(), (static_cast<size_t>(expected.GetLength()) + 1) * 2) << m;
        EXPECT_STREQ(reinterpret_cast<const wchar_t*>(name.data()), expected) << m;
        std::vector<uint8_t> events = ReadRegistryValue(path, L"Data");
        EXPECT_EQ(events.size(), 8u + 8u * 3u * static_cast<size_t>(m % 5 + 1)) << m;
    }
}
