#include "CIniFile.h"
#include "CSkinResourceList.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

namespace
{
std::vector<uint8_t> Bytes(const char* text)
{
    return std::vector<uint8_t>(text, text + strlen(text));
}
}

TEST(SkinResources, BuildPathsFromTheProgramFolderAndTheType)
{
    CTestSkinFolder folder;
    struct Case { int type; const wchar_t* folder; };
    const Case cases[] = {
        { kSkinPicture, L"skins\\" }, { kSkinDIB, L"skins\\" }, { kSkinFont, L"fonts\\" },
        { kSkinLangFile, L"lang\\" }, { kSkinBinFile, L"bin\\" }, { 3, L"skins\\" },
    };
    for (const Case& c : cases) {
        CSkinResource* resource = GetSkinResource(L"none.dat", c.type);
        EXPECT_EQ(resource->GetPath(), folder.Path() + c.folder + L"none.dat") << c.type;
        EXPECT_FALSE(resource->HasData());
        EXPECT_EQ(resource->GetSize(), 0);
    }
}

TEST(SkinResources, SameNameAndTypeGiveTheSameResourceWhateverTheCase)
{
    CTestSkinFolder folder;
    ASSERT_TRUE(folder.Write(L"bin\\Keys.dat", Bytes("12345")));
    ASSERT_TRUE(folder.Write(L"lang\\Keys.dat", Bytes("abc")));
    CSkinResource* first = GetSkinResource(L"Keys.dat", kSkinBinFile);
    EXPECT_EQ(GetSkinResource(L"KEYS.DAT", kSkinBinFile), first);
    CSkinResource* other = GetSkinResource(L"keys.dat", kSkinLangFile);
    EXPECT_NE(other, first);
    EXPECT_EQ(g_skinResources.GetCount(), 2);
    // Each size is the one of its own resource, not of whichever was cached first.
    EXPECT_EQ(GetSkinResourceSize(L"keys.dat", kSkinBinFile), 5);
    EXPECT_EQ(GetSkinResourceSize(L"keys.dat", kSkinLangFile), 3);
    EXPECT_EQ(GetSkinResourceSize(L"keys.dat", kSkinPicture), 0);
}

TEST(SkinResources, AFailedLoadStaysCachedAndIsNotRetried)
{
    CTestSkinFolder folder;
    int size = -1;
    EXPECT_EQ(FindBinFile(L"late.dat", &size), nullptr);
    EXPECT_EQ(size, 0);
    ASSERT_TRUE(folder.Write(L"bin\\late.dat", Bytes("now here")));
    EXPECT_EQ(FindBinFile(L"late.dat", &size), nullptr);
    EXPECT_EQ(g_skinResources.GetCount(), 1);

    // A file of no bytes and a file that holds no font are failed loads as well.
    ASSERT_TRUE(folder.Write(L"lang\\empty.txt", {}));
    EXPECT_EQ(FindLangFile(L"empty.txt", &size), nullptr);
    EXPECT_EQ(size, 0);
    ASSERT_TRUE(folder.Write(L"fonts\\broken.ttf", Bytes("not a font")));
    CSkinResource* font = GetSkinResource(L"broken.ttf", kSkinFont);
    EXPECT_FALSE(font->HasData());
    EXPECT_EQ(GetSkinResource(L"broken.ttf", kSkinFont), font);
}

TEST(SkinResources, TypedLookupsTrimTheName)
{
    CTestSkinFolder folder;
    ASSERT_TRUE(folder.Write(L"bin\\table.dat", Bytes("xyz")));
    int size = 0;
    const uint8_t* bytes = FindBinFile("\r\n\t  table.dat \n", &size);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(size, 3);
    EXPECT_EQ(memcmp(bytes, "xyz", 3), 0);
    EXPECT_EQ(FindBinFile(L" TABLE.DAT"), bytes);
    EXPECT_EQ(g_skinResources.GetCount(), 1);
}

TEST(SkinResources, LoadsBitmapsAsPicturesAndAsDibSections)
{
    CTestSkinFolder folder;
    ASSERT_TRUE(folder.Write(L"skins\\button.bmp", MakeBmpFile(30, 20, RGB(10, 200, 30))));
    CBitmap* picture = FindSkinPicture("button.bmp");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetSize(), CSize(30, 20));
    EXPECT_EQ(GetSkinResourceSize(L"button.bmp", kSkinPicture), 8);

    HBITMAP dib = FindSkinDIB(L"button.bmp");
    ASSERT_NE(dib, nullptr);
    DIBSECTION section = {};
    EXPECT_EQ(GetObjectW(dib, sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBm.bmWidth, 30);
    EXPECT_EQ(GetSkinResourceSize(L"button.bmp", kSkinDIB), static_cast<int>(MakeBmpFile(30, 20, 0).size()));

    ASSERT_TRUE(folder.Write(L"skins\\garbage.bmp", Bytes("no picture at all")));
    EXPECT_EQ(FindSkinPicture(L"garbage.bmp"), nullptr);
    EXPECT_EQ(FindSkinDIB(L"garbage.bmp"), nullptr);
}

TEST(SkinResources, RegistersFontsForTheProcessUntilReleased)
{
    // Any TrueType font will do; the Linux host's fonts are reachable through Wine's Z: drive.
    const wchar_t* const candidates[] = { L"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf",
        L"C:\\Windows\\Fonts\\arial.ttf" };
    CTestSkinFolder folder;
    CreateDirectoryW(folder.Path() + L"fonts", nullptr);
    const CString copy = folder.Path() + L"fonts\\Skin.ttf";
    bool copied = false;
    for (const wchar_t* candidate : candidates)
        copied = copied || CopyFileW(candidate, copy, FALSE);
    if (!copied)
        GTEST_SKIP() << "no TrueType font on this machine";
    CSkinResource* font = GetSkinResource(L"Skin.ttf", kSkinFont);
    ASSERT_TRUE(font->HasData());
    EXPECT_GT(font->GetFontCount(), 0);
    EXPECT_EQ(font->GetSize(), GetSkinFileLength(copy));
    font->Release();
    // Released means unregistered: there is nothing left to remove.
    EXPECT_FALSE(RemoveFontResourceExW(copy, FR_PRIVATE, nullptr));
}

TEST(SkinResources, FreeingReleasesEveryResource)
{
    CTestSkinFolder folder;
    ASSERT_TRUE(folder.Write(L"bin\\a.dat", Bytes("a")));
    CSkinResource* resource = GetSkinResource(L"a.dat", kSkinBinFile);
    resource->Release();
    EXPECT_EQ(resource->GetType(), -1);
    EXPECT_FALSE(resource->HasData());
    FreeSkinResources();
    EXPECT_EQ(g_skinResources.GetCount(), 0);
}

TEST(CIniFile, ReadsWritesAndCutsLongValues)
{
    CTestSkinFolder folder;
    CIniFile ini(folder.Path() + L"settings.ini");
    EXPECT_EQ(ini.GetString(L"SETTINGS", L"ActiveProfileName", L"none"), L"none");
    EXPECT_TRUE(ini.WriteString(L"SETTINGS", L"ActiveProfileName", L"PROFILE03"));
    EXPECT_EQ(ini.GetString(L"SETTINGS", L"ActiveProfileName", L""), L"PROFILE03");
    CString longValue(L'x', 5000);
    EXPECT_TRUE(ini.WriteString(L"SETTINGS", L"Long", longValue));
    EXPECT_EQ(ini.GetString(L"SETTINGS", L"Long", L""), CString(L'x', 4095));
}
