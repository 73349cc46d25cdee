#include "RegistryTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace
{
int g_scratchKeys = 0;
constexpr REGSAM kRead = KEY_READ | KEY_WOW64_64KEY;

struct KeyCloser
{
    HKEY key = nullptr;
    ~KeyCloser()
    {
        if (key)
            RegCloseKey(key);
    }
};

bool NameLess(const CString& a, const CString& b)
{
    int byCase = a.CompareNoCase(b);
    return byCase != 0 ? byCase < 0 : a.Compare(b) < 0;
}

void DumpKey(HKEY parent, const CString& name, const CString& shownPath, CString& out)
{
    KeyCloser key;
    if (RegOpenKeyExW(parent, name, 0, kRead, &key.key) != ERROR_SUCCESS) {
        out += L"[" + shownPath + L"] cannot be opened\n";
        return;
    }
    out += L"[" + shownPath + L"]\n";
    struct Value { CString name; DWORD type; std::vector<uint8_t> data; };
    std::vector<Value> values;
    for (DWORD i = 0;; ++i) {
        wchar_t valueName[512];
        DWORD nameLength = 512;
        BYTE data[4096];
        DWORD dataSize = sizeof(data);
        DWORD type = 0;
        if (RegEnumValueW(key.key, i, valueName, &nameLength, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        values.push_back({ CString(valueName, static_cast<int>(nameLength)), type,
            std::vector<uint8_t>(data, data + dataSize) });
    }
    std::sort(values.begin(), values.end(), [](const Value& a, const Value& b) { return NameLess(a.name, b.name); });
    for (const Value& value : values) {
        if (value.type == REG_SZ) {
            CString text(reinterpret_cast<const wchar_t*>(value.data.data()), static_cast<int>(value.data.size() / 2));
            out += FormatString(L"  \"%s\" REG_SZ %d: \"%s\"\n", value.name.GetString(),
                static_cast<int>(value.data.size()), text.GetString());
            continue;
        }
        CString typeName = value.type == REG_BINARY ? CString(L"REG_BINARY") : FormatString(L"type %lu", value.type);
        out += FormatString(L"  \"%s\" %s %d:", value.name.GetString(), typeName.GetString(),
            static_cast<int>(value.data.size()));
        for (size_t i = 0; i < value.data.size(); ++i) {
            if (i % 32 == 0 && value.data.size() > 32)
                out += L"\n    ";
            else
                out += L" ";
            out += FormatString(L"%02x", value.data[i]);
        }
        out += L"\n";
    }
    std::vector<CString> subKeys;
    for (DWORD i = 0;; ++i) {
        wchar_t subName[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key.key, i, subName, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        subKeys.push_back(CString(subName, static_cast<int>(length)));
    }
    std::sort(subKeys.begin(), subKeys.end(), NameLess);
    for (const CString& sub : subKeys)
        DumpKey(key.key, sub, shownPath + L"\\" + sub, out);
}
}

ScratchRegistryKey::ScratchRegistryKey()
{
    m_path = FormatString(L"Software\\VelmoraTest\\%lu-%d", GetCurrentProcessId(), ++g_scratchKeys);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_path);
}

ScratchRegistryKey::~ScratchRegistryKey()
{
    KeyCloser key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\VelmoraTest", 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, &key.key)
        != ERROR_SUCCESS)
        return;
    CString name = m_path.Mid(m_path.ReverseFind(L'\\') + 1);
    RegDeleteTreeW(key.key, name);
    RegDeleteKeyExW(key.key, name, KEY_WOW64_64KEY, 0);
}

bool SequentialGuids::operator()(GUID& guid)
{
    guid = GUID();
    uint32_t n = next++;
    for (int i = 0; i < 4; ++i)
        guid.Data4[7 - i] = static_cast<unsigned char>(n >> (8 * i));
    return true;
}

CString DumpRegistryTree(const CString& path)
{
    CString out;
    DumpKey(HKEY_LOCAL_MACHINE, path, CString(L"STORE"), out);
    return out;
}

bool RegistryKeyExists(const CString& path)
{
    KeyCloser key;
    return RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, kRead, &key.key) == ERROR_SUCCESS;
}

std::vector<uint8_t> ReadRegistryValue(const CString& keyPath, const wchar_t* name, DWORD* type)
{
    KeyCloser key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, kRead, &key.key) != ERROR_SUCCESS)
        return {};
    DWORD size = 0;
    DWORD valueType = 0;
    if (RegQueryValueExW(key.key, name, nullptr, &valueType, nullptr, &size) != ERROR_SUCCESS)
        return {};
    std::vector<uint8_t> data(size);
    if (RegQueryValueExW(key.key, name, nullptr, &valueType, data.data(), &size) != ERROR_SUCCESS)
        return {};
    if (type)
        *type = valueType;
    data.resize(size);
    return data;
}
