// Classes in this file:
//   IFileChooser - asks the user for a file to open or a place to save: the controls and
//                  pages reach the file dialogs through it, so that tests put a fake in
//                  place of the system dialog.
#pragma once

#include "CString.h"

#include <windows.h>

class IFileChooser
{
public:
    // What the dialog offers.
    struct Request
    {
        bool m_open = true;
        // Filter parts separated by '|' ("Programs|*.exe||").
        CString m_filter;
        CString m_defaultExt;
        CString m_fileName;
        CString m_initialFolder;
        // OFN_* flags.
        DWORD m_flags = 0;
        HWND m_owner = nullptr;
    };

    virtual ~IFileChooser() = default;

    // True with the chosen file's full path; false, path untouched, when cancelled.
    virtual bool ChooseFile(const Request& request, CString& path) = 0;
};
