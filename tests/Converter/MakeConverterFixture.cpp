// Writes an old INI tree of 20 profiles and 50 macros into the folder given, for running
// ProfileConverter.exe by hand:  MakeConverterFixture.exe <folder>
#include "FullFixture.h"

#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        fputs("usage: MakeConverterFixture <folder>\n", stderr);
        return 2;
    }
    CString folder(argv[1]);
    if (!CreateDirectoryW(folder, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        fputs("the folder cannot be created\n", stderr);
        return 1;
    }
    WriteLargeFixture(folder + L"\\", 20, 50);
    return 0;
}
