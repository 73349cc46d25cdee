#include "CMessageLog.h"

#include <windows.h>

#include <cstdarg>
#include <string>

void CMessageLog::Print(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    CString text;
    text.FormatV(format, args);
    va_end(args);
    m_text += text;
    if (m_target == Target::StandardOutput)
        WriteToStandardOutput(text);
}

void CMessageLog::WriteToStandardOutput(const CString& text) const
{
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE || text.IsEmpty())
        return;
    DWORD written = 0;
    DWORD mode = 0;
    // A console takes the text as it stands; a file or pipe gets UTF-8 with CR LF line ends.
    if (GetConsoleMode(output, &mode)) {
        WriteConsoleW(output, text.GetString(), static_cast<DWORD>(text.GetLength()), &written, nullptr);
        return;
    }
    CString crlf(text);
    crlf.Replace(L"\n", L"\r\n");
    int bytes = WideCharToMultiByte(CP_UTF8, 0, crlf.GetString(), crlf.GetLength(), nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return;
    std::string utf8(static_cast<size_t>(bytes), '\0');
    if (WideCharToMultiByte(CP_UTF8, 0, crlf.GetString(), crlf.GetLength(), &utf8[0], bytes, nullptr, nullptr) != bytes)
        return;
    WriteFile(output, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}
