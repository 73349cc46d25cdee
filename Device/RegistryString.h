// Reads the short string values of the installation's registry key.
#pragma once

#include <windows.h>

// Characters of the buffer ReadRegistryString fills (80 bytes).
constexpr int kRegistryStringChars = 40;

// RegQueryValueExW of a REG_SZ value into a buffer of kRegistryStringChars characters;
// answers its status. On success the text is always zero-terminated (a value that fills
// the whole buffer is cut by one character); a value of another type is refused.
LONG ReadRegistryString(HKEY key, const wchar_t* valueName, wchar_t* buffer);
