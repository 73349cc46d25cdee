// The folder of the running program, with a trailing backslash. The skin folders, the save
// folder and the manual paths are built on it; it is set once at start-up (tests point it
// at a fixture folder).
#pragma once

#include "CString.h"

extern CString g_exeFolder;

// The folder of the running program's file, with a trailing backslash; empty on failure.
CString GetModuleFolder();
