// Classes in this file:
//   CFileVersions - the file and product version of a program, read from its version
//   resource as text.
#pragma once

#include "CString.h"

class CFileVersions
{
public:
    // Data members
    CString m_modulePath;
    CString m_fileVersion = L"0.0.0.0";
    CString m_productVersion = L"0.0.0.0";
    CString m_fileVersionParts[4] = { L"0", L"0", L"0", L"0" };
    CString m_productVersionParts[4] = { L"0", L"0", L"0", L"0" };

    CFileVersions() = default;
    virtual ~CFileVersions() = default;

    // The running program's own file.
    void ReadModulePath();
    void SetModulePath(const CString& path) { m_modulePath = path; }
    // False, with every text unchanged, when the file has no readable version resource.
    bool ReadVersions();
};
