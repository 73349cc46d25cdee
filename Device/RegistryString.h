// Reads the string values of the installation's registry key.
#pragma once

#include "CString.h"

#include <windows.h>

// RegQueryValueExW of a REG_SZ (or REG_EXPAND_SZ) value into a buffer of the value's own
// size, so a long install folder is read whole; answers its status. On success out holds
// the text up to its first terminator (a value stored without one is taken whole); on
// failure, or for a value of another type (ERROR_INVALID_DATA), out is empty.
LONG ReadRegistryString(HKEY key, const wchar_t* valueName, CString& out);
