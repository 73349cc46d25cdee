#include "CFileVersions.h"

#include <windows.h>

#include <vector>

void CFileVersions::ReadModulePath()
{
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    // A cut name would name another file: keep none rather than a wrong one.
    if (length == 0 || length >= MAX_PATH)
        m_modulePath.Empty();
    else
        m_modulePath = path;
}

namespace
{
void FormatParts(DWORD high, DWORD low, CString& whole, CString parts[4])
{
    const unsigned int values[4] = { HIWORD(high), LOWORD(high), HIWORD(low), LOWORD(low) };
    for (int i = 0; i < 4; ++i)
        parts[i].Format(L"%d", values[i]);
    whole.Format(L"%d.%d.%d.%d", values[0], values[1], values[2], values[3]);
}
}

bool CFileVersions::ReadVersions()
{
    if (m_modulePath.IsEmpty())
        return false;
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(m_modulePath, &ignored);
    if (size == 0)
        return false;
    std::vector<BYTE> buffer(size);
    if (!GetFileVersionInfoW(m_modulePath, 0, size, buffer.data()))
        return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!VerQueryValueW(buffer.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) ||
        !info || infoSize != sizeof(VS_FIXEDFILEINFO))
        return false;
    FormatParts(info->dwFileVersionMS, info->dwFileVersionLS, m_fileVersion, m_fileVersionParts);
    FormatParts(info->dwProductVersionMS, info->dwProductVersionLS, m_productVersion, m_productVersionParts);
    return true;
}
