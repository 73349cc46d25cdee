// Classes in this file:
//   COldIniReader - reads the old INI tree below one data folder: the index file, the
//                   profile files and the macro files.
#pragma once

#include "CMessageLog.h"
#include "OldData.h"

#include "CString.h"

#include <cstdint>
#include <vector>

class COldIniReader
{
public:
    static constexpr size_t kMacroChunkBytes = 8000;
    static constexpr int kMacroChunkEvents = 1000;
    static constexpr size_t kMacroEventBytes = 8;

    // dataFolder ends with a backslash.
    COldIniReader(const CString& dataFolder, CMessageLog& log);

    // "User Profiles\config.ini": the header and the profile names (count clamped to 20).
    void ReadConfigIndex(OldData& data);
    // The profile's own file; false when one of its eight key maps cannot be read.
    bool ReadProfileFile(OldProfile& profile);
    // Everything below "User Profiles"; false when a profile file is missing or incomplete.
    bool ReadAllProfiles(OldData& data);
    // The program a launch assignment of key map k, position p starts ("" when none).
    CString ReadLaunchPath(const CString& profileName, int keymap, int position);

    // Full paths of "User Macros\*.ini", sorted by name without regard to case. A missing
    // folder or no match is success with an empty list.
    bool ListMacroFiles(std::vector<CString>& paths);
    // The event count of a macro file (at most 1000) with its events in buffer; 0 when the
    // file has no events or its blob cannot be read.
    int ReadMacroFile(const CString& path, std::vector<uint8_t>& buffer);

    CString GetProfileFilePath(const CString& profileName) const;

private:
    // Implementation
    CString ReadString(const wchar_t* section, const wchar_t* key, const CString& path) const;
    CString ReadShortText(const wchar_t* what, const CString& text);

    // Data members
    CString m_dataFolder;
    CMessageLog& m_log;
};
