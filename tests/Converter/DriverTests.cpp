#include "ConverterDriver.h"
#include "FakeKeyDefinitions.h"
#include "FullFixture.h"
#include "RegistryTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{
class DriverTest : public testing::Test
{
protected:
    ScratchFolder m_program;
    ScratchFolder m_data;
    ScratchRegistryKey m_registry;
    FakeKeyDefinitions m_keys;
    CMessageLog m_log{ CMessageLog::Target::Text };
    SequentialGuids m_guids;

    void WriteKeyFile(const wchar_t* name, const char* content)
    {
        FILE* file = _wfopen(m_program.Path() + name, L"wb");
        ASSERT_NE(file, nullptr);
        fputs(content, file);
        fclose(file);
    }

    int Run(std::vector<const wchar_t*> arguments, HKEY root = HKEY_LOCAL_MACHINE)
    {
        ConverterEnvironment environment;
        environment.programFolder = m_program.Path();
        environment.defaultDataFolder = m_data.Path();
        environment.registryRoot = root;
        environment.storePath = m_registry.StorePath();
        environment.newGuid = std::ref(m_guids);
        arguments.insert(arguments.begin(), L"C:\\Tools\\ProfileConverter.exe");
        return RunConverter(static_cast<int>(arguments.size()), arguments.data(), m_keys, environment, m_log);
    }

    bool StoreWritten() const { return RegistryKeyExists(m_registry.StorePath()); }
};
}

TEST_F(DriverTest, ExitCodesAndMessagesByCase)
{
    struct Case {
        const wchar_t* what;
        bool keyFile;
        bool keysLoad;
        int tree;  // 0 none, 1 empty config.ini, 2 full fixture
        bool twoArguments;
        int exitCode;
        const wchar_t* firstLine;
        bool written;
    };
    const Case cases[] = {
        { L"two arguments", true, true, 2, true, kExitConverted, L"Usage: ProfileConverter.exe [folder]", false },
        { L"empty config.ini", true, true, 1, false, kExitNothingConverted, L"PARSE ERROR! Nothing was converted\n", false },
        { L"no tree at all", true, true, 0, false, kExitNothingConverted, L"PARSE ERROR! Nothing was converted\n", false },
        { L"no kbddef.dat", false, true, 2, false, kExitNothingConverted, L"ERROR! Key definition file ", false },
        { L"invalid kbddef.dat", true, false, 2, false, kExitNothingConverted, L"ERROR! Key definition file ", false },
        { L"valid tree", true, true, 2, false, kExitConverted, L"WARNING: Ignoring null key value in macro\n", true },
    };
    for (const Case& c : cases) {
        ScratchFolder program;
        ScratchFolder data;
        ScratchRegistryKey registry;
        if (c.keyFile) {
            FILE* file = _wfopen(program.Path() + L"kbddef.dat", L"wb");
            ASSERT_NE(file, nullptr);
            fputs("keys", file);
            fclose(file);
        }
        if (c.tree == 1) {
            CreateDirectoryW(data.Path() + L"User Profiles", nullptr);
            FILE* file = _wfopen(data.Path() + L"User Profiles\\config.ini", L"wb");
            ASSERT_NE(file, nullptr);
            fclose(file);
        } else if (c.tree == 2) {
            WriteFullFixture(data.Path());
        }
        FakeKeyDefinitions keys;
        keys.SetLoadResult(c.keysLoad);
        CMessageLog log(CMessageLog::Target::Text);
        ConverterEnvironment environment;
        environment.programFolder = program.Path();
        environment.defaultDataFolder = L"C:\\nowhere\\";
        environment.storePath = registry.StorePath();
        environment.newGuid = SequentialGuids();
        CString argument = data.Argument();
        std::vector<const wchar_t*> argv{ L"C:\\Tools\\ProfileConverter.exe", argument };
        if (c.twoArguments)
            argv.push_back(L"extra");
        int exitCode = RunConverter(static_cast<int>(argv.size()), argv.data(), keys, environment, log);
        EXPECT_EQ(exitCode, c.exitCode) << c.what << "\n" << log.GetText().GetString();
        EXPECT_EQ(log.GetText().Find(c.firstLine), 0) << c.what << "\n" << log.GetText().GetString();
        EXPECT_EQ(RegistryKeyExists(registry.StorePath()), c.written) << c.what;
    }
}

TEST_F(DriverTest, UsageNamesTheProgramAfterItsLastBackslash)
{
    EXPECT_EQ(Run({ L"a", L"b", L"c" }), kExitConverted);
    EXPECT_STREQ(m_log.GetText(), L"Usage: ProfileConverter.exe [folder]");
    EXPECT_FALSE(m_keys.WasLoaded());
}

TEST_F(DriverTest, WithoutAnArgumentTheDefaultDataFolderIsRead)
{
    WriteKeyFile(L"kbddef.dat", "keys");
    WriteFullFixture(m_data.Path());
    EXPECT_EQ(Run({}), kExitConverted) << m_log.GetText().GetString();
    EXPECT_TRUE(StoreWritten());
}

TEST_F(DriverTest, EmptyOrOverlongFolderArgumentsAreRefused)
{
    WriteKeyFile(L"kbddef.dat", "keys");
    CString overlong(L'd', MAX_PATH);
    EXPECT_EQ(Run({ overlong }), kExitNothingConverted);
    EXPECT_NE(m_log.GetText().Find(L"is longer than a path can be - nothing was converted\n"), -1) << m_log.GetText().GetString();
    EXPECT_EQ(Run({ L"" }), kExitNothingConverted);
    EXPECT_NE(m_log.GetText().Find(L"ERROR! The folder argument is empty"), -1) << m_log.GetText().GetString();
    EXPECT_FALSE(StoreWritten());
}

TEST_F(DriverTest, AMacroFileWithoutEventsFailsTheWholeRun)
{
    WriteKeyFile(L"kbddef.dat", "keys");
    WriteFullFixture(m_data.Path());
    OldTreeBuilder tree(m_data.Path());
    tree.WriteMacro(L"Empty.ini", {}, 0);
    EXPECT_EQ(Run({ m_data.Argument() }), kExitNothingConverted);
    EXPECT_NE(m_log.GetText().Find(L"Empty.ini has no events\n"
                                   L"ERROR! Inconsistent or spurious macro data\n"
                                   L"PARSE ERROR! Nothing was converted\n"), -1)
        << m_log.GetText().GetString();
    EXPECT_FALSE(StoreWritten());
}

TEST_F(DriverTest, AFailedRegistryWriteIsAnErrorWithExitCodeTwo)
{
    WriteKeyFile(L"kbddef.dat", "keys");
    WriteFullFixture(m_data.Path());
    HKEY invalid = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234));
    EXPECT_EQ(Run({ m_data.Argument() }, invalid), kExitRegistryFailed);
    const CString& log = m_log.GetText();
    EXPECT_NE(log.Find(L"ERROR! Registry key "), -1) << log.GetString();
    EXPECT_NE(log.Find(L"ERROR! The registry store could not be written completely\n"), -1) << log.GetString();
}
