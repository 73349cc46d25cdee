// Classes in this file:
//   CIniFile - reads and writes string values of one INI file through the profile functions.
#pragma once

#include "CString.h"

class CIniFile
{
    // Data members
    CString m_path;

public:
    explicit CIniFile(const CString& path) : m_path(path) {}

    // Attributes
    const CString& GetPath() const { return m_path; }

    // Operations
    // The value, at most 4095 characters; the default when the key is missing.
    CString GetString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue) const;
    bool WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value) const;
};
