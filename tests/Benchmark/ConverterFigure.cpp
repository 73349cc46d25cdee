#include "ConverterFigure.h"

#include "CConverterKeyDefinitions.h"
#include "ConverterDriver.h"
#include "Figures.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
const wchar_t kScratch[] = L"Software\\VelmoraBenchmark";
const wchar_t kConverted[] = L"Software\\VelmoraBenchmark\\Converted\\KAVRO";
const wchar_t kBare[] = L"Software\\VelmoraBenchmark\\Bare\\KAVRO";

struct ValueCopy
{
    std::wstring name;
    DWORD type = 0;
    std::vector<BYTE> data;
};

struct KeyCopy
{
    std::wstring path;
    std::vector<ValueCopy> values;
};

class KeyHandle
{
public:
    KeyHandle() = default;
    ~KeyHandle()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    HKEY* Receive() { return &m_key; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

bool CopyTree(const std::wstring& root, const std::wstring& relative, std::vector<KeyCopy>& out)
{
    KeyHandle key;
    const std::wstring path = relative.empty() ? root : root + L"\\" + relative;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return false;
    KeyCopy copy;
    copy.path = relative;
    for (DWORD i = 0;; ++i) {
        wchar_t name[512];
        DWORD nameLength = 512;
        std::vector<BYTE> data(65536);
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueW(key.Get(), i, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            break;
        data.resize(size);
        copy.values.push_back({ std::wstring(name, nameLength), type, data });
    }
    out.push_back(copy);
    for (DWORD i = 0;; ++i) {
        wchar_t name[512];
        DWORD nameLength = 512;
        if (RegEnumKeyExW(key.Get(), i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return true;
        const std::wstring child(name, nameLength);
        if (!CopyTree(root, relative.empty() ? child : relative + L"\\" + child, out))
            return false;
    }
}

struct FindCloser
{
    void operator()(HANDLE find) const
    {
        if (find != INVALID_HANDLE_VALUE)
            FindClose(find);
    }
};

// The old tree's values with the converter's profile-string calls: the index, every
// profile file's settings and key maps, every macro file's count and events.
int ReadOldTree(const std::wstring& folder)
{
    const std::wstring index = folder + L"User Profiles\\config.ini";
    std::vector<BYTE> blob(8000);
    wchar_t text[1024];
    int reads = 0;
    for (const wchar_t* key : { L"Totle", L"Current", L"Auto Switch", L"Show Screen", L"Polling Rate", L"Onboard Profile" }) {
        GetPrivateProfileIntW(L"Setting", key, 0, index.c_str());
        ++reads;
    }
    for (int i = 0;; ++i) {
        ++reads;
        if (GetPrivateProfileStringW(L"Profile", std::to_wstring(i).c_str(), L"", text, 1024, index.c_str()) == 0)
            break;
        const std::wstring profile = folder + L"User Profiles\\" + text + L".ini";
        for (const wchar_t* key : { L"Name", L"Exe" })
            GetPrivateProfileStringW(L"Setting", key, L"", text, 1024, profile.c_str());
        for (const wchar_t* key : { L"Switch Flag", L"Key map", L"Brightness" })
            GetPrivateProfileIntW(L"Setting", key, 0, profile.c_str());
        for (int k = 0; k < 8; ++k)
            GetPrivateProfileStructW((L"macro" + std::to_wstring(k)).c_str(), L"Value", blob.data(), 27 * 266, profile.c_str());
        reads += 13;
    }
    WIN32_FIND_DATAW found;
    const std::unique_ptr<void, FindCloser> find(FindFirstFileW((folder + L"User Macros\\*.ini").c_str(), &found));
    if (find.get() == INVALID_HANDLE_VALUE)
        return reads;
    do {
        const std::wstring macro = folder + L"User Macros\\" + found.cFileName;
        GetPrivateProfileIntW(L"Setting", L"Count", 0, macro.c_str());
        GetPrivateProfileStructW(L"Setting", L"MacroSetting_0", blob.data(), 8000, macro.c_str());
        reads += 2;
    } while (FindNextFileW(find.get(), &found));
    return reads;
}

bool WriteTree(const std::wstring& root, const std::vector<KeyCopy>& keys)
{
    for (const KeyCopy& copy : keys) {
        KeyHandle key;
        const std::wstring path = copy.path.empty() ? root : root + L"\\" + copy.path;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                key.Receive(), nullptr) != ERROR_SUCCESS)
            return false;
        for (const ValueCopy& value : copy.values) {
            if (RegSetValueExW(key.Get(), value.name.c_str(), 0, value.type, value.data.data(),
                    static_cast<DWORD>(value.data.size())) != ERROR_SUCCESS)
                return false;
        }
    }
    return true;
}
}

bool MeasureConverter(const CString& programFolder, const CString& dataFolder, ConverterTimes& times)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
    CMessageLog log(CMessageLog::Target::Text);
    ConverterEnvironment environment;
    environment.programFolder = programFolder;
    environment.defaultDataFolder = dataFolder;
    environment.registryRoot = HKEY_CURRENT_USER;
    environment.storePath = L"Software\\VelmoraBenchmark\\Converted\\KAVRO";
    CConverterKeyDefinitions keys;
    const CString argument = dataFolder.Left(dataFolder.GetLength() - 1);
    const wchar_t* argv[] = { L"ProfileConverter.exe", argument.GetString() };
    const Stopwatch converter;
    const int exitCode = RunConverter(2, argv, keys, environment, log);
    times.converterMs = converter.Ms();
    std::vector<KeyCopy> tree;
    if (exitCode != kExitConverted || !CopyTree(kConverted, L"", tree))
        return false;
    times.keys = static_cast<int>(tree.size());
    times.values = 0;
    for (const KeyCopy& key : tree)
        times.values += static_cast<int>(key.values.size());
    const Stopwatch bare;
    times.iniReads = ReadOldTree(dataFolder.GetString());
    const bool written = WriteTree(kBare, tree);
    times.bareMs = bare.Ms();
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
    return written;
}
