#include "CInstallSettings.h"

#include "AppNames.h"
#include "CLangTable.h"

namespace
{
// Closes the key on every path out.
class CRegistryKey
{
    HKEY m_key = nullptr;

public:
    CRegistryKey() = default;
    ~CRegistryKey()
    {
        if (m_key)
            ::RegCloseKey(m_key);
    }
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    bool Open(HKEY root, const wchar_t* path)
    {
        return ::RegOpenKeyExW(root, path, 0, KEY_READ, &m_key) == ERROR_SUCCESS;
    }
    HKEY Get() const { return m_key; }
};
}

bool CInstallSettings::Read(HKEY root, const wchar_t* keyPath)
{
    m_hasKey = false;
    m_languageId = 0;
    m_installDir.Empty();
    CRegistryKey key;
    if (!key.Open(root, keyPath))
        return false;
    m_hasKey = true;

    CString language;
    if (ReadValue(key.Get(), kLanguageValue, language))
        m_languageId = GetLanguageIdByName(language);
    if (ReadValue(key.Get(), kInstallDirValue, m_installDir) && m_installDir.Right(1) == L"\\")
        m_installDir = m_installDir.Left(m_installDir.GetLength() - 1);
    return true;
}

bool CInstallSettings::ReadValue(HKEY key, const wchar_t* name, CString& out)
{
    out.Empty();
    wchar_t buffer[kMaxValueLength + 1] = {};
    DWORD type = REG_NONE;
    DWORD size = sizeof buffer;
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ)
        return false;
    // A value stored without its terminator may fill the buffer exactly: then it is longer
    // than the longest value read.
    const int units = static_cast<int>(size / sizeof(wchar_t));
    int length = 0;
    while (length < units && buffer[length] != L'\0')
        ++length;
    if (length > kMaxValueLength)
        return false;
    buffer[length] = L'\0';
    out = buffer;
    return true;
}
