#include "CInstallSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// A scratch key below the user's own key, deleted again after each case.
class ScratchKey
{
public:
    std::wstring m_path;
    HKEY m_key = nullptr;

    ScratchKey()
        : m_path(L"Software\\VelmoraTests\\Install" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
              std::to_wstring(::GetTickCount()))
    {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
    }
    ~ScratchKey()
    {
        if (m_key)
            ::RegCloseKey(m_key);
        ::RegDeleteKeyW(HKEY_CURRENT_USER, m_path.c_str());
    }
    // Stores the text with its terminator, or without it.
    void Set(const wchar_t* name, const std::wstring& text, bool terminated = true) const
    {
        const DWORD bytes = static_cast<DWORD>((text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t));
        ::RegSetValueExW(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes);
    }
};

TEST(CInstallSettings, AMissingKeyMeansEnglishAndNoInstallFolder)
{
    CInstallSettings settings;
    EXPECT_FALSE(settings.Read(HKEY_CURRENT_USER, L"Software\\VelmoraTests\\NoSuchKey"));
    EXPECT_FALSE(settings.HasKey());
    EXPECT_EQ(settings.GetLanguageId(), 0);
    EXPECT_TRUE(settings.GetInstallDir().IsEmpty());
}

TEST(CInstallSettings, ReadsTheLanguageIgnoringCase)
{
    const std::wstring unknown39(39, L'x');
    struct Case
    {
        const char* what;
        const wchar_t* stored;
        int languageId;
    };
    const Case cases[] = {
        { "lower case", L"french", 3 },
        { "upper case", L"FRENCH", 3 },
        { "mixed case", L"fReNcH", 3 },
        { "another language", L"Korean", 6 },
        { "no such language", L"Klingon", -1 },
        { "empty", L"", -1 },
        { "39 characters", unknown39.c_str(), -1 },
        { "40 characters count as not read", L"FrenchFrenchFrenchFrenchFrenchFrenchFren", 0 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        ScratchKey key;
        key.Set(L"Language", c.stored);
        CInstallSettings settings;
        ASSERT_TRUE(settings.Read(HKEY_CURRENT_USER, key.m_path.c_str()));
        EXPECT_TRUE(settings.HasKey());
        EXPECT_EQ(settings.GetLanguageId(), c.languageId);
    }
}

TEST(CInstallSettings, AMissingLanguageValueMeansEnglish)
{
    ScratchKey key;
    key.Set(L"InstallDir", L"C:\\Kavro");
    CInstallSettings settings;
    ASSERT_TRUE(settings.Read(HKEY_CURRENT_USER, key.m_path.c_str()));
    EXPECT_EQ(settings.GetLanguageId(), 0);
    EXPECT_EQ(settings.GetInstallDir(), L"C:\\Kavro");
}

TEST(CInstallSettings, ReadsTheInstallFolderWithoutItsTrailingBackslash)
{
    const std::wstring folder39 = L"C:\\" + std::wstring(36, L'a');
    const std::wstring folder40 = L"C:\\" + std::wstring(37, L'a');
    struct Case
    {
        const char* what;
        std::wstring stored;
        bool terminated;
        std::wstring expected;
    };
    const std::vector<Case> cases = {
        { "with a trailing backslash", L"C:\\Program Files\\Kavro\\", true, L"C:\\Program Files\\Kavro" },
        { "without one", L"C:\\Program Files\\Kavro", true, L"C:\\Program Files\\Kavro" },
        { "only one backslash goes", L"C:\\Kavro\\\\", true, L"C:\\Kavro\\" },
        { "39 characters", folder39, true, folder39 },
        { "40 characters count as not read", folder40, true, L"" },
        { "39 characters stored without a terminator", folder39, false, folder39 },
        { "40 characters stored without a terminator", folder40, false, L"" },
        { "empty", L"", true, L"" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        ScratchKey key;
        key.Set(L"InstallDir", c.stored, c.terminated);
        CInstallSettings settings;
        ASSERT_TRUE(settings.Read(HKEY_CURRENT_USER, key.m_path.c_str()));
        EXPECT_EQ(std::wstring(settings.GetInstallDir().GetString()), c.expected);
    }
}

TEST(CInstallSettings, AValueOfAnotherTypeCountsAsNotRead)
{
    ScratchKey key;
    const DWORD number = 3;
    ::RegSetValueExW(key.m_key, L"Language", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    ::RegSetValueExW(key.m_key, L"InstallDir", 0, REG_BINARY, reinterpret_cast<const BYTE*>(L"C:\\x"), 8);
    CInstallSettings settings;
    ASSERT_TRUE(settings.Read(HKEY_CURRENT_USER, key.m_path.c_str()));
    EXPECT_EQ(settings.GetLanguageId(), 0);
    EXPECT_TRUE(settings.GetInstallDir().IsEmpty());
}
}
