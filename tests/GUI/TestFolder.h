// A scratch skin folder for one test: g_exeFolder points at it while the test runs, and the
// resource cache is emptied before and after so no case sees another's files.
#pragma once

#include "CSkinResourceList.h"
#include "CString.h"
#include "ExeFolder.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class CTestSkinFolder
{
    CString m_folder;
    CString m_savedExeFolder;

public:
    // The folder's name starts with the given text (the test's pid and tick count follow).
    explicit CTestSkinFolder(const wchar_t* name = L"VelmoraSkin");
    ~CTestSkinFolder();
    CTestSkinFolder(const CTestSkinFolder&) = delete;
    CTestSkinFolder& operator=(const CTestSkinFolder&) = delete;

    const CString& Path() const { return m_folder; }
    // Writes a file below the folder ("lang\\x.txt"), creating its sub-folder.
    bool Write(const wchar_t* relativePath, const std::vector<uint8_t>& bytes) const;
};

// A 24-bit bottom-up BMP file of the given size, filled with one colour.
std::vector<uint8_t> MakeBmpFile(int width, int height, COLORREF colour);
