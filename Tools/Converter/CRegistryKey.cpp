#include "CRegistryKey.h"

#include <cwchar>

CRegistryKey::CRegistryKey(CRegistryKey&& other) noexcept
    : m_key(other.m_key)
{
    other.m_key = nullptr;
}

CRegistryKey& CRegistryKey::operator=(CRegistryKey&& other) noexcept
{
    if (this != &other) {
        Close();
        m_key = other.m_key;
        other.m_key = nullptr;
    }
    return *this;
}

LSTATUS CRegistryKey::Open(HKEY parent, const wchar_t* subKey, REGSAM access)
{
    Close();
    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExW(parent, subKey, 0, access, &key);
    if (status == ERROR_SUCCESS)
        m_key = key;
    return status;
}

LSTATUS CRegistryKey::OpenOrCreate(HKEY parent, const wchar_t* subKey)
{
    if (Open(parent, subKey) == ERROR_SUCCESS)
        return ERROR_SUCCESS;
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(parent, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, kAccess, nullptr, &key,
        nullptr);
    if (status == ERROR_SUCCESS)
        m_key = key;
    return status;
}

LSTATUS CRegistryKey::SetBinary(const wchar_t* name, const void* data, size_t size)
{
    return RegSetValueExW(m_key, name, 0, REG_BINARY, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
}

LSTATUS CRegistryKey::SetString(const wchar_t* name, const wchar_t* text)
{
    DWORD bytes = static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t));
    return RegSetValueExW(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes);
}

void CRegistryKey::Close()
{
    if (m_key) {
        RegCloseKey(m_key);
        m_key = nullptr;
    }
}
