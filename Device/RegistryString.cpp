#include "RegistryString.h"

#include <vector>

LONG ReadRegistryString(HKEY key, const wchar_t* valueName, CString& out)
{
    out.Empty();
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG status = RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS)
        return status;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_INVALID_DATA;
    // The value may change between the two calls; a grown one is asked for again.
    for (;;) {
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD room = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
        status = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &room);
        if (status == ERROR_MORE_DATA) {
            size = room > size ? room : size * 2 + sizeof(wchar_t);
            continue;
        }
        if (status != ERROR_SUCCESS)
            return status;
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            return ERROR_INVALID_DATA;
        out = CString(buffer.data());
        return ERROR_SUCCESS;
    }
}
