#include "ExeFolder.h"

#include <windows.h>

#include <vector>

CString g_exeFolder;

CString GetModuleFolder()
{
    // Long install paths exceed MAX_PATH; grow the buffer until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return CString();
        if (length < buffer.size())
            break;
        if (buffer.size() >= 32768)
            return CString();
        buffer.resize(buffer.size() * 2);
    }
    CString path(buffer.data());
    int separator = path.ReverseFind(L'\\');
    return separator < 0 ? CString() : path.Left(separator + 1);
}
