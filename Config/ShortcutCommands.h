// The shortcut commands the macro page offers ready-made, numbered 1 to 17; their names
// are language keys ("$cut" to "$zoomout").
#pragma once

#include "CString.h"

constexpr int kFirstShortcutCommand = 1;
constexpr int kLastBasicShortcutCommand = 9;
constexpr int kLastShortcutCommand = 17;

// 1 to 17, or -1 for a name that is no command; names compare ignoring case.
int GetShortcutCommandId(const CString& name);
// The language key of the command; null outside 1 to 17.
const wchar_t* GetShortcutCommandName(int id);
