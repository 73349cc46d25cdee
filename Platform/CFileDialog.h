// Classes in this file:
//   CFileDialog - the system's file-open or file-save dialog: a filter written with '|'
//                 between its parts ("Programs|*.exe||"), an initial folder, a default file
//                 name and extension, and the chosen path and its parts afterwards.
#pragma once

#include "CString.h"

#include <windows.h>

#include <commdlg.h>

#include <vector>

class CFileDialog
{
public:
    // Data members
    // Filled by the constructor; the caller may change the flags and fields before DoModal,
    // but not the file name buffer and filter, which the object owns.
    OPENFILENAMEW m_ofn;

private:
    bool m_openDialog;
    std::vector<wchar_t> m_fileName;
    std::vector<wchar_t> m_filter;
    CString m_defaultExt;
    CString m_initialFolder;

public:
    // The longest path the dialog returns, in characters with the terminating NUL.
    static constexpr size_t kPathCapacity = 4096;

    CFileDialog(bool openDialog, const wchar_t* defaultExt = nullptr, const wchar_t* fileName = nullptr,
        DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const wchar_t* filter = nullptr, HWND parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // Attributes
    // The chosen file's full path; empty before a choice.
    CString GetPathName() const;
    // Its name with extension, its extension and its name without extension.
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    // A '|'-separated filter in the dialog's form: every '|' a NUL, ending in two NULs.
    static std::vector<wchar_t> FilterFromPipes(const wchar_t* filter);

    // Operations
    void SetInitialFolder(const wchar_t* folder);
    // Runs the dialog: IDOK with a chosen file, IDCANCEL when cancelled or when the dialog
    // failed (CommDlgExtendedError tells which).
    INT_PTR DoModal();
};
