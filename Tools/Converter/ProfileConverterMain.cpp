// ProfileConverter: carries the profiles and macros of the previous keypad generation (INI
// files) over into the device service's registry store.
#include "CConverterKeyDefinitions.h"
#include "CMessageLog.h"
#include "ConverterDriver.h"
#include "ExeFolder.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

namespace
{
// The user's application-data folder + "\Velmora\", or the program folder without one.
CString DefaultDataFolder(const CString& programFolder)
{
    wchar_t appData[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return programFolder;
    return FormatString(L"%s\\Velmora\\", appData);
}
}

int wmain(int argc, wchar_t** argv)
{
    CMessageLog log(CMessageLog::Target::StandardOutput);
    ConverterEnvironment environment;
    environment.programFolder = GetModuleFolder();
    // The key data files are found beside the program, also by name alone.
    if (!environment.programFolder.IsEmpty())
        SetCurrentDirectoryW(environment.programFolder);
    environment.defaultDataFolder = DefaultDataFolder(environment.programFolder);
    CConverterKeyDefinitions keys;
    return RunConverter(argc, argv, keys, environment, log);
}
