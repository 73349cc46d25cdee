// Classes in this file:
//   CMessageLog - where the converter's messages go: standard output, or a text kept for
//                 the caller to read.
#pragma once

#include "CString.h"

class CMessageLog
{
public:
    enum class Target { StandardOutput, Text };

    explicit CMessageLog(Target target) : m_target(target) {}

    // Formats with the Windows meaning of the format (%s is a wide string) and writes the
    // result as it stands; the format carries its own line ends.
    void Print(const wchar_t* format, ...);

    // Everything printed so far (kept for both targets).
    const CString& GetText() const { return m_text; }

private:
    // Implementation
    void WriteToStandardOutput(const CString& text) const;

    // Data members
    Target m_target;
    CString m_text;
};
