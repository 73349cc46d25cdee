#include "RegistryString.h"

LONG ReadRegistryString(HKEY key, const wchar_t* valueName, wchar_t* buffer)
{
    if (!buffer)
        return ERROR_INVALID_PARAMETER;
    DWORD type = REG_SZ;
    DWORD size = kRegistryStringChars * sizeof(wchar_t);
    LONG status = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    if (status != ERROR_SUCCESS)
        return status;
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        buffer[0] = L'\0';
        return ERROR_INVALID_DATA;
    }
    DWORD chars = size / sizeof(wchar_t);
    buffer[chars < kRegistryStringChars ? chars : kRegistryStringChars - 1] = L'\0';
    return ERROR_SUCCESS;
}
