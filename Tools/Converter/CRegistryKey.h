// Classes in this file:
//   CRegistryKey - an owned registry key in the 64-bit view, closed when it goes.
#pragma once

#include <windows.h>

#include <cstddef>

class CRegistryKey
{
public:
    // Every key of the store is opened in the 64-bit view, also from this 32-bit program.
    static constexpr REGSAM kAccess = KEY_ALL_ACCESS | KEY_WOW64_64KEY;

    CRegistryKey() = default;
    ~CRegistryKey() { Close(); }
    CRegistryKey(CRegistryKey&& other) noexcept;
    CRegistryKey& operator=(CRegistryKey&& other) noexcept;
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Attributes
    HKEY Get() const { return m_key; }
    bool IsOpen() const { return m_key != nullptr; }

    // Operations
    // Opens the subkey, or creates it (non-volatile, no class) when it cannot be opened.
    LSTATUS OpenOrCreate(HKEY parent, const wchar_t* subKey);
    LSTATUS Open(HKEY parent, const wchar_t* subKey, REGSAM access = kAccess);
    LSTATUS SetBinary(const wchar_t* name, const void* data, size_t size);
    // REG_SZ, the terminating zero counted in the size.
    LSTATUS SetString(const wchar_t* name, const wchar_t* text);
    void Close();

private:
    // Data members
    HKEY m_key = nullptr;
};
