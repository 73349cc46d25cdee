#include "CFileVersions.h"
#include "Version.h"

#include <gtest/gtest.h>

#include <windows.h>

// This test program carries the configuration program's version resource.
TEST(CFileVersions, ReadsTheRunningProgramsVersion)
{
    CFileVersions versions;
    EXPECT_FALSE(versions.ReadVersions());
    versions.ReadModulePath();
    ASSERT_FALSE(versions.m_modulePath.IsEmpty());
    ASSERT_TRUE(versions.ReadVersions());
    const CString expected = FormatString(L"%d.%d.%d.%d", VELMORA_VERSION_MAJOR, VELMORA_VERSION_MINOR,
        VELMORA_VERSION_BUILD, VELMORA_VERSION_REVISION);
    EXPECT_EQ(versions.m_fileVersion, expected);
    EXPECT_EQ(versions.m_productVersion, expected);
    EXPECT_EQ(versions.m_fileVersionParts[2], FormatString(L"%d", VELMORA_VERSION_BUILD));
    EXPECT_EQ(versions.m_productVersionParts[0], FormatString(L"%d", VELMORA_VERSION_MAJOR));
}

TEST(CFileVersions, AModuleWithoutAVersionKeepsTheInitialTexts)
{
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    CString path;
    path.Format(L"%svelmora-noversion-%lu.txt", temp, GetCurrentProcessId());
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    CFileVersions versions;
    versions.SetModulePath(path);
    EXPECT_FALSE(versions.ReadVersions());
    EXPECT_EQ(versions.m_fileVersion, L"0.0.0.0");
    EXPECT_EQ(versions.m_productVersionParts[3], L"0");
    versions.SetModulePath(path + L".missing");
    EXPECT_FALSE(versions.ReadVersions());
    DeleteFileW(path);
}
