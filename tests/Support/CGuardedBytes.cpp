#include "CGuardedBytes.h"

#include <windows.h>

#include <cstring>

CGuardedBytes::CGuardedBytes(const std::vector<uint8_t>& bytes)
{
    SYSTEM_INFO info = {};
    GetSystemInfo(&info);
    const size_t page = info.dwPageSize;
    const size_t dataPages = (bytes.size() + page - 1) / page * page + page;
    m_base = static_cast<uint8_t*>(VirtualAlloc(nullptr, dataPages + page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!m_base)
        return;
    DWORD old = 0;
    if (!VirtualProtect(m_base + dataPages, page, PAGE_NOACCESS, &old))
        return;
    m_data = m_base + dataPages - bytes.size();
    if (!bytes.empty())
        std::memcpy(m_data, bytes.data(), bytes.size());
}

CGuardedBytes::~CGuardedBytes()
{
    if (m_base)
        VirtualFree(m_base, 0, MEM_RELEASE);
}
