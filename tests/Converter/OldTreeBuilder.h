// Classes in this file:
//   ScratchFolder  - a new, empty folder below the temporary folder, removed with everything
//                    in it when the object goes.
//   OldKeySpec     - the fields of one old key record.
//   OldProfileSpec - what one old profile file holds.
//   OldTreeBuilder - writes an old INI tree (index, profiles, macros) with the profile-string
//                    functions, blobs with their checksums, as the old program left them.
#pragma once

#include "CString.h"

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // With a trailing backslash.
    const CString& Path() const { return m_path; }
    // Without it, as the converter's command line takes it.
    CString Argument() const { return m_path.Left(m_path.GetLength() - 1); }

private:
    CString m_path;
};

void RemoveFolderTree(const CString& folder);

struct OldKeySpec
{
    uint8_t code = 0;
    uint8_t operand = 0;
    uint8_t flag = 0;
    uint8_t playMode = 0;
    uint16_t value = 0;
    CString text;
};

struct OldProfileSpec
{
    CString name;
    CString exe;
    int switchFlag = 0;
    int keymap = 0;
    int brightness = 100;
    // Records by (key map, position); the rest are unassigned.
    std::map<std::pair<int, int>, OldKeySpec> records;
    // "ExeFile" entries by key map x 100 + position.
    std::map<int, CString> launchPaths;
    // A key map section to leave out, or one whose checksum to spoil; -1 for none.
    int missingSection = -1;
    int badChecksumSection = -1;
};

// (code, flag word) of one old macro event.
using OldMacroEvent = std::pair<uint8_t, uint32_t>;

class OldTreeBuilder
{
public:
    static constexpr size_t kKeymapBytes = 27 * 266;
    static constexpr size_t kMacroChunkBytes = 8000;
    // The macro's Count is the number of its events.
    static constexpr int kCountOfEvents = -1000000;

    // folder ends with a backslash; "User Profiles" is created, "User Macros" on first use.
    explicit OldTreeBuilder(const CString& folder);

    // [Setting] and [Profile] of config.ini; totle -1 writes the number of names.
    void WriteIndex(const std::vector<CString>& names, int onboardProfile, int totle = -1, int current = 0);
    // "User Profiles\<fileBase>.ini".
    void WriteProfile(const CString& fileBase, const OldProfileSpec& profile);
    // "User Macros\<fileName>": Count and chunk 0.
    void WriteMacro(const CString& fileName, const std::vector<OldMacroEvent>& events, int count = kCountOfEvents);

    CString ProfilesFolder() const { return m_folder + L"User Profiles\\"; }
    CString MacrosFolder() const { return m_folder + L"User Macros\\"; }

    static std::vector<uint8_t> MakeKeymapBlob(const std::map<int, OldKeySpec>& records);

private:
    CString m_folder;
};
