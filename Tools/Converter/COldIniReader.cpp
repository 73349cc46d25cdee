#include "COldIniReader.h"

#include <windows.h>

#include <algorithm>
#include <memory>

namespace
{
struct FindCloser
{
    void operator()(HANDLE find) const { FindClose(find); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

const wchar_t kSetting[] = L"Setting";
}

COldIniReader::COldIniReader(const CString& dataFolder, CMessageLog& log)
    : m_dataFolder(dataFolder), m_log(log)
{
}

CString COldIniReader::ReadString(const wchar_t* section, const wchar_t* key, const CString& path) const
{
    // The profile-string functions cut a value at the buffer's size; grow until it fits.
    std::vector<wchar_t> buffer(1024);
    for (;;) {
        DWORD length = GetPrivateProfileStringW(section, key, L"", buffer.data(),
            static_cast<DWORD>(buffer.size()), path);
        if (length + 1 < buffer.size() || buffer.size() >= 65536)
            return CString(buffer.data(), static_cast<int>(length));
        buffer.resize(buffer.size() * 2);
    }
}

CString COldIniReader::ReadShortText(const wchar_t* what, const CString& text)
{
    CString reduced = ReduceTo8Bits(text);
    if (reduced.GetLength() <= OldProfile::kMaxTextChars)
        return reduced;
    CString cut = reduced.Left(OldProfile::kMaxTextChars);
    m_log.Print(L"WARNING: %s %s is longer than %d characters - cut to %s\n", what, reduced.GetString(),
        OldProfile::kMaxTextChars, cut.GetString());
    return cut;
}

void COldIniReader::ReadConfigIndex(OldData& data)
{
    CString path = m_dataFolder + L"User Profiles\\config.ini";
    OldConfigHeader& header = data.header;
    header.profileCount = static_cast<int>(GetPrivateProfileIntW(kSetting, L"Totle", 0, path));
    header.current = static_cast<int>(GetPrivateProfileIntW(kSetting, L"Current", 0, path));
    header.autoSwitch = static_cast<int>(GetPrivateProfileIntW(kSetting, L"Auto Switch", 0, path));
    header.showScreen = static_cast<int>(GetPrivateProfileIntW(kSetting, L"Show Screen", 0, path));
    header.pollingRate = static_cast<int>(GetPrivateProfileIntW(kSetting, L"Polling Rate", 0, path));
    header.onboardProfile = static_cast<int>(GetPrivateProfileIntW(kSetting, L"Onboard Profile", 0, path));
    if (header.profileCount < 0)
        header.profileCount = 0;
    if (header.profileCount > OldData::kMaxProfiles) {
        m_log.Print(L"WARNING: %d profiles listed, only the first %d are converted\n", header.profileCount,
            OldData::kMaxProfiles);
        header.profileCount = OldData::kMaxProfiles;
    }
    for (int i = 0; i < header.profileCount; ++i) {
        CString key = FormatString(L"%d", i);
        data.profiles[static_cast<size_t>(i)].indexName = ReadShortText(L"Profile name", ReadString(L"Profile", key, path));
    }
}

CString COldIniReader::GetProfileFilePath(const CString& profileName) const
{
    return FormatString(L"%sUser Profiles\\%s.ini", m_dataFolder.GetString(), profileName.GetString());
}

bool COldIniReader::ReadProfileFile(OldProfile& profile)
{
    CString path = GetProfileFilePath(profile.indexName);
    profile.fileName = ReadShortText(L"Profile name", ReadString(kSetting, L"Name", path));
    profile.application = ReadShortText(L"Application", ReadString(kSetting, L"Exe", path));
    profile.switchFlag = static_cast<int>(GetPrivateProfileIntW(kSetting, L"Switch Flag", 0, path));
    profile.activeKeymap = static_cast<int>(GetPrivateProfileIntW(kSetting, L"Key map", 0, path));
    profile.brightness = static_cast<int>(GetPrivateProfileIntW(kSetting, L"Brightness", 0, path));
    for (int k = 0; k < OldProfile::kKeymapCount; ++k) {
        CString section = FormatString(L"macro%d", k);
        uint8_t* blob = profile.keymaps.data() + OldProfile::kKeymapBytes * static_cast<size_t>(k);
        if (!GetPrivateProfileStructW(section, L"Value", blob, static_cast<UINT>(OldProfile::kKeymapBytes), path))
            return false;
    }
    return true;
}

bool COldIniReader::ReadAllProfiles(OldData& data)
{
    data = OldData();
    ReadConfigIndex(data);
    bool complete = true;
    for (int i = 0; i < data.header.profileCount; ++i) {
        OldProfile& profile = data.profiles[static_cast<size_t>(i)];
        if (!ReadProfileFile(profile)) {
            m_log.Print(L"ERROR! Profile file %s is missing or a key map in it is unreadable\n",
                GetProfileFilePath(profile.indexName).GetString());
            complete = false;
        }
    }
    return complete;
}

CString COldIniReader::ReadLaunchPath(const CString& profileName, int keymap, int position)
{
    CString key = FormatString(L"%d", keymap * 100 + position);
    return ReadString(L"ExeFile", key, GetProfileFilePath(profileName));
}

bool COldIniReader::ListMacroFiles(std::vector<CString>& paths)
{
    paths.clear();
    CString folder = m_dataFolder + L"User Macros\\";
    WIN32_FIND_DATAW found;
    FindHandle find(FindFirstFileW(folder + L"*.ini", &found));
    if (find.get() == INVALID_HANDLE_VALUE) {
        find.release();
        DWORD error = GetLastError();
        // No macro folder at all is no macros, as an empty folder is.
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            paths.push_back(folder + found.cFileName);
    } while (FindNextFileW(find.get(), &found));
    if (GetLastError() != ERROR_NO_MORE_FILES)
        return false;
    // Directory order differs between file systems; a fixed order keeps runs repeatable.
    std::sort(paths.begin(), paths.end(), [](const CString& a, const CString& b) {
        int byCase = a.CompareNoCase(b);
        return byCase != 0 ? byCase < 0 : a.Compare(b) < 0;
    });
    return true;
}

int COldIniReader::ReadMacroFile(const CString& path, std::vector<uint8_t>& buffer)
{
    buffer.assign(kMacroChunkBytes, 0);
    int count = static_cast<int>(GetPrivateProfileIntW(kSetting, L"Count", 0, path));
    if (count <= 0) {
        m_log.Print(L"ERROR! Macro file %s has no events\n", path.GetString());
        return 0;
    }
    // One chunk of 1000 events is all a converted macro can hold.
    if (count >= kMacroChunkEvents) {
        m_log.Print(L"WARNING: Macro file %s holds %d events - only the first %d are converted\n",
            path.GetString(), count, kMacroChunkEvents);
        count = kMacroChunkEvents;
    }
    if (!GetPrivateProfileStructW(kSetting, L"MacroSetting_0", buffer.data(), static_cast<UINT>(kMacroChunkBytes), path)) {
        m_log.Print(L"ERROR! Macro file %s: its events cannot be read\n", path.GetString());
        return 0;
    }
    return count;
}
