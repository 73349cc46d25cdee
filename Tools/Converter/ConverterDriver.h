// The converter's run: arguments, folders, key definitions, reading and converting the old
// INI tree and writing the registry store, with its messages and exit codes.
#pragma once

#include "CMessageLog.h"
#include "CRegistryWriter.h"
#include "IKeyDefinitions.h"

#include "CString.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

// Exit codes of the converter.
constexpr int kExitConverted = 0;
constexpr int kExitNothingConverted = 1;
constexpr int kExitRegistryFailed = 2;

// Where one run reads and writes; the program sets these up from its own location.
struct ConverterEnvironment
{
    // Folders end with a backslash. The key data files lie in the program folder.
    CString programFolder;
    // The old INI tree when no folder is given on the command line.
    CString defaultDataFolder;
    HKEY registryRoot = HKEY_LOCAL_MACHINE;
    CString storePath = L"SOFTWARE\\KAVRO";
    CRegistryWriter::NewGuidFunc newGuid = MakeNewGuid;
};

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const CString& path);

// argv[0] is the program's path; at most one further argument, the old data folder.
int RunConverter(int argc, const wchar_t* const* argv, IKeyDefinitions& keys, const ConverterEnvironment& environment,
    CMessageLog& log);
