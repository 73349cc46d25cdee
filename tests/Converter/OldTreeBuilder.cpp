#include "OldTreeBuilder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace
{
int g_scratchCount = 0;
}

ScratchFolder::ScratchFolder()
{
    wchar_t temp[MAX_PATH];
    DWORD length = GetTempPathW(MAX_PATH, temp);
    EXPECT_GT(length, 0u);
    m_path = FormatString(L"%sVelmoraConverter-%lu-%d\\", temp, GetCurrentProcessId(), ++g_scratchCount);
    RemoveFolderTree(m_path);
    EXPECT_TRUE(CreateDirectoryW(m_path, nullptr)) << GetLastError();
}

ScratchFolder::~ScratchFolder()
{
    RemoveFolderTree(m_path);
}

void RemoveFolderTree(const CString& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(folder + L"*", &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            CString name(found.cFileName);
            if (name == L"." || name == L"..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolderTree(folder + name + L"\\");
            else
                DeleteFileW(folder + name);
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(folder);
}

OldTreeBuilder::OldTreeBuilder(const CString& folder)
    : m_folder(folder)
{
    CreateDirectoryW(ProfilesFolder(), nullptr);
}

void OldTreeBuilder::WriteIndex(const std::vector<CString>& names, int onboardProfile, int totle, int current)
{
    CString path = ProfilesFolder() + L"config.ini";
    int count = totle < 0 ? static_cast<int>(names.size()) : totle;
    ASSERT_TRUE(WritePrivateProfileStringW(L"Setting", L"Totle", FormatString(L"%d", count), path));
    ASSERT_TRUE(WritePrivateProfileStringW(L"Setting", L"Current", FormatString(L"%d", current), path));
    ASSERT_TRUE(WritePrivateProfileStringW(L"Setting", L"Auto Switch", L"1", path));
    ASSERT_TRUE(WritePrivateProfileStringW(L"Setting", L"Show Screen", L"1", path));
    ASSERT_TRUE(WritePrivateProfileStringW(L"Setting", L"Polling Rate", L"1000", path));
    ASSERT_TRUE(WritePrivateProfileStringW(L"Setting", L"Onboard Profile", FormatString(L"%d", onboardProfile), path));
    for (size_t i = 0; i < names.size(); ++i)
        ASSERT_TRUE(WritePrivateProfileStringW(L"Profile", FormatString(L"%d", static_cast<int>(i)), names[i], path));
}

std::vector<uint8_t> OldTreeBuilder::MakeKeymapBlob(const std::map<int, OldKeySpec>& records)
{
    std::vector<uint8_t> blob(kKeymapBytes, 0);
    for (const auto& item : records) {
        uint8_t* record = blob.data() + 266 * static_cast<size_t>(item.first);
        const OldKeySpec& key = item.second;
        record[0] = key.code;
        record[1] = key.operand;
        record[2] = key.flag;
        record[3] = key.playMode;
        memcpy(record + 4, &key.value, sizeof(key.value));
        size_t units = std::min<size_t>(static_cast<size_t>(key.text.GetLength()), 129);
        memcpy(record + 6, key.text.GetString(), units * sizeof(wchar_t));
        // A closing word the reader must not take as text.
        record[264] = 0xAA;
        record[265] = 0x55;
    }
    return blob;
}

void OldTreeBuilder::WriteProfile(const CString& fileBase, const OldProfileSpec& profile)
{
    CString path = ProfilesFolder() + fileBase + L".ini";
    ASSERT_TRUE(WritePrivateProfileStringW(L"Setting", L"Name", profile.name, path));
    ASSERT_TRUE(WritePrivateProfileStringW(L"Setting", L"Exe", profile.exe, path));
    ASSERT_TRUE(WritePrivateProfileStringW(L"Setting", L"Switch Flag", FormatString(L"%d", profile.switchFlag), path));
    ASSERT_TRUE(WritePrivateProfileStringW(L"Setting", L"Key map", FormatString(L"%d", profile.keymap), path));
    ASSERT_TRUE(WritePrivateProfileStringW(L"Setting", L"Brightness", FormatString(L"%d", profile.brightness), path));
    for (int k = 0; k < 8; ++k) {
        if (k == profile.missingSection)
            continue;
        std::map<int, OldKeySpec> records;
        for (const auto& item : profile.records) {
            if (item.first.first == k)
                records[item.first.second] = item.second;
        }
        std::vector<uint8_t> blob = MakeKeymapBlob(records);
        CString section = FormatString(L"macro%d", k);
        ASSERT_TRUE(WritePrivateProfileStructW(section, L"Value", blob.data(), static_cast<UINT>(blob.size()), path));
        if (k == profile.badChecksumSection) {
            // The checksum is the last two hex digits; one added to it no longer matches.
            std::vector<wchar_t> text(2 * blob.size() + 16);
            DWORD length = GetPrivateProfileStringW(section, L"Value", L"", text.data(), static_cast<DWORD>(text.size()), path);
            ASSERT_EQ(length, 2 * blob.size() + 2);
            text[length - 1] = text[length - 1] == L'0' ? L'1' : L'0';
            ASSERT_TRUE(WritePrivateProfileStringW(section, L"Value", text.data(), path));
        }
    }
    for (const auto& item : profile.launchPaths)
        ASSERT_TRUE(WritePrivateProfileStringW(L"ExeFile", FormatString(L"%d", item.first), item.second, path));
}

void OldTreeBuilder::WriteMacro(const CString& fileName, const std::vector<OldMacroEvent>& events, int count)
{
    CreateDirectoryW(MacrosFolder(), nullptr);
    CString path = MacrosFolder() + fileName;
    int written = count == kCountOfEvents ? static_cast<int>(events.size()) : count;
    ASSERT_TRUE(WritePrivateProfileStringW(L"Setting", L"Count", FormatString(L"%d", written), path));
    std::vector<uint8_t> chunk(kMacroChunkBytes, 0);
    for (size_t i = 0; i < events.size() && i < 1000; ++i) {
        chunk[8 * i] = events[i].first;
        memcpy(chunk.data() + 8 * i + 4, &events[i].second, sizeof(uint32_t));
    }
    ASSERT_TRUE(WritePrivateProfileStructW(L"Setting", L"MacroSetting_0", chunk.data(), static_cast<UINT>(chunk.size()), path));
}
