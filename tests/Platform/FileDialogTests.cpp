#include "CFileDialog.h"

#include <gtest/gtest.h>

#include <string>

TEST(CFileDialogFilter, PipesBecomeNulsAndTheListEndsInTwo)
{
    struct Case
    {
        const wchar_t* filter;
        std::wstring expected;
    } cases[] = {
        { L"*.exe|*.exe||", std::wstring(L"*.exe\0*.exe\0\0", 13) },
        { L"Profiles (*.kvp)|*.kvp|All|*.*||", std::wstring(L"Profiles (*.kvp)\0*.kvp\0All\0*.*\0\0", 32) },
        { L"Programs|*.exe", std::wstring(L"Programs\0*.exe\0\0", 16) },
        { L"", std::wstring(L"\0\0", 2) },
        { nullptr, std::wstring(L"\0\0", 2) },
    };
    for (const Case& c : cases)
    {
        const std::vector<wchar_t> converted = CFileDialog::FilterFromPipes(c.filter);
        EXPECT_EQ(std::wstring(converted.begin(), converted.end()), c.expected) << (c.filter ? c.expected.size() : 0);
    }
}

TEST(CFileDialogPath, NameExtensionAndTitleComeFromThePath)
{
    struct Case
    {
        const wchar_t* path;
        const wchar_t* name;
        const wchar_t* extension;
        const wchar_t* title;
    } cases[] = {
        { L"C:\\Games\\Flight\\Fly.exe", L"Fly.exe", L"exe", L"Fly" },
        { L"C:\\My.Games\\readme", L"readme", L"", L"readme" },
        { L"archive.tar.gz", L"archive.tar.gz", L"gz", L"archive.tar" },
        { L"", L"", L"", L"" },
    };
    for (const Case& c : cases)
    {
        CFileDialog dialog(true, nullptr, c.path);
        EXPECT_EQ(dialog.GetPathName(), c.path);
        EXPECT_EQ(dialog.GetFileName(), c.name) << static_cast<int>(wcslen(c.path));
        EXPECT_EQ(dialog.GetFileExt(), c.extension);
        EXPECT_EQ(dialog.GetFileTitle(), c.title);
    }
    CFileDialog save(false, L"kvp", L".kvp", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, L"Profiles|*.kvp||");
    save.SetInitialFolder(L"C:\\save");
    EXPECT_EQ(CString(save.m_ofn.lpstrInitialDir), L"C:\\save");
    EXPECT_EQ(CString(save.m_ofn.lpstrDefExt), L"kvp");
    EXPECT_TRUE(save.m_ofn.Flags & OFN_OVERWRITEPROMPT);
    EXPECT_EQ(save.m_ofn.nMaxFile, static_cast<DWORD>(CFileDialog::kPathCapacity));
}
