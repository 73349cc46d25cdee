#include "ConverterFigure.h"

#include "CConverterKeyDefinitions.h"
#include "ConverterDriver.h"
#include "Figures.h"

#include <windows.h>

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
    const bool written = WriteTree(kBare, tree);
    times.bareMs = bare.Ms();
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
    return written;
}
