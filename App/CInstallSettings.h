// Classes in this file:
//   CInstallSettings - what the installation's registry key tells the program at start-up:
//                      whether the key exists, the language and the install folder.
#pragma once

#include "CString.h"

#include <windows.h>

class CInstallSettings
{
    // Data members
    bool m_hasKey = false;
    int m_languageId = 0;
    CString m_installDir;

public:
    // The longest value text read, in UTF-16 units: the values are read into 80 bytes with
    // their terminator, and a longer value counts as not read.
    static constexpr int kMaxValueLength = 39;

    // Attributes
    bool HasKey() const { return m_hasKey; }
    // The id of the language named by "Language" (0 when the value was not read, -1 when
    // it names none of the nine languages).
    int GetLanguageId() const { return m_languageId; }
    // "InstallDir" without one trailing backslash; empty when it was not read.
    const CString& GetInstallDir() const { return m_installDir; }

    // Operations
    // Opens the key below root for reading only (it is never created) and reads both values.
    bool Read(HKEY root, const wchar_t* keyPath);
    // A REG_SZ value of at most kMaxValueLength units, always terminated; false (and out
    // empty) when it is missing, of another type or longer.
    static bool ReadValue(HKEY key, const wchar_t* name, CString& out);
};
