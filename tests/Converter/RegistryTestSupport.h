// Classes in this file:
//   ScratchRegistryKey - a key of its own below HKLM\Software\VelmoraTest (64-bit view) that
//                        the store is written under, deleted with its tree when it goes.
//   SequentialGuids    - a GUID source that hands out {00000000-0000-0000-0000-00000000000N}
//                       in order, so a written store can be compared with a fixed text.
#pragma once

#include "CString.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class ScratchRegistryKey
{
public:
    ScratchRegistryKey();
    ~ScratchRegistryKey();
    ScratchRegistryKey(const ScratchRegistryKey&) = delete;
    ScratchRegistryKey& operator=(const ScratchRegistryKey&) = delete;

    // Below HKEY_LOCAL_MACHINE: where the store path of the writer goes.
    CString StorePath() const { return m_path + L"\\KAVRO"; }
    CString ProductPath() const { return StorePath() + L"\\0.01\\{64F99A81-D604-4235-9B6F-7CDBD377A7A1}"; }

private:
    CString m_path;
};

struct SequentialGuids
{
    uint32_t next = 1;
    bool operator()(GUID& guid);
};

// Every key and value below HKLM\path (64-bit view), keys and values sorted by name, one
// line per value: "name" REG_SZ "text" or "name" REG_BINARY <size>: <hex bytes>.
CString DumpRegistryTree(const CString& path);

bool RegistryKeyExists(const CString& path);
// The value's bytes; empty when it is missing.
std::vector<uint8_t> ReadRegistryValue(const CString& keyPath, const wchar_t* name, DWORD* type = nullptr);
