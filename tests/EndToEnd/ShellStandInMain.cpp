// Stands in for the program the shell opens a document with, in the help tests: the tests
// register it for the document's type with the command line
//   VelmoraShellStandIn.exe REPORT DOCUMENT
// and it writes the document's path to the report file (UTF-16, no end of line). It writes a
// file beside the report first and then moves it into place, so whoever sees the report
// reads it whole. Exit code 0 when the report was written, 1 otherwise.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace
{
bool WriteReport(const std::wstring& report, const std::wstring& document)
{
    const std::wstring partial = report + L".part";
    HANDLE file = ::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
        nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const DWORD bytes = static_cast<DWORD>(document.size() * sizeof(wchar_t));
    DWORD written = 0;
    const bool complete = ::WriteFile(file, document.data(), bytes, &written, nullptr) && written == bytes;
    ::CloseHandle(file);
    if (complete && ::MoveFileExW(partial.c_str(), report.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    ::DeleteFileW(partial.c_str());
    return false;
}
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!arguments)
        return 1;
    const bool written = count == 3 && WriteReport(arguments[1], arguments[2]);
    ::LocalFree(arguments);
    return written ? 0 : 1;
}
