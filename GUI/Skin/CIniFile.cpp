#include "CIniFile.h"

#include <windows.h>

namespace
{
constexpr DWORD kValueBufferLength = 4096;
}

CString CIniFile::GetString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue) const
{
    CString value;
    wchar_t* buffer = value.GetBuffer(kValueBufferLength);
    DWORD length = GetPrivateProfileStringW(section, key, defaultValue, buffer, kValueBufferLength, m_path);
    value.ReleaseBuffer(static_cast<int>(length));
    return value;
}

bool CIniFile::WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value) const
{
    return WritePrivateProfileStringW(section, key, value, m_path) != FALSE;
}
