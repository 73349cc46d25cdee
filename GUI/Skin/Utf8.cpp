#include "Utf8.h"

#include <windows.h>

CString Utf8ToWide(const char* text)
{
    if (!text || !*text)
        return CString();
    int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return CString();
    CString wide;
    wchar_t* buffer = wide.GetBuffer(length);
    MultiByteToWideChar(CP_UTF8, 0, text, -1, buffer, length);
    wide.ReleaseBuffer(length - 1);
    return wide;
}
