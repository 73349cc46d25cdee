// Classes in this file:
//   CPcManager - the tray's dealings with the installation's registry key and with other
//                processes: the language and install folder, starting, finding and ending
//                the configuration program, and naming the foreground program.
//
// Executable file names compare ignoring case, as Windows file names do.
#pragma once

#include "CString.h"

#include <windows.h>

class CPcManager
{
public:
    // The configuration program's file name.
    static const wchar_t* const kConfigProgramName;

    // The machine key's "Language" value; false when the key or the value cannot be read.
    static bool ReadLanguageSetting(CString& language);
    // The machine key's "InstallDir" value.
    static bool ReadInstallFolder(CString& folder);
    // Makes the install folder (without one trailing backslash) the working folder and opens
    // the configuration program there; true when the shell started it.
    static bool StartConfigProgram();
    // The executable file name (no folder) of a running process.
    static bool GetProcessExeName(DWORD processId, CString& name);
    // The executable file name of the foreground window's process; false without one.
    static bool GetForegroundExeName(CString& name);
    static bool IsForegroundApplication(const CString& name);
    static bool IsConfigProgramRunning();
    // Ends the first running configuration program; false when none runs or it could not be
    // opened or ended.
    static bool TerminateConfigProgram();
    static bool EnableDebugPrivilege();

private:
    // The id of the first process with that file name; 0 when none runs.
    static DWORD FindProcess(const wchar_t* exeName);
    static bool ReadInstallationValue(const wchar_t* valueName, CString& value);
};
