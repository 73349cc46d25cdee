// The vocabulary tables: the names that skin files, language files and pages use, and the
// numbers the code uses for them. InitVocabularyTables fills them once, before any skin page
// is loaded; afterwards they are only read. Look-ups by name ignore case and, where two
// numbers carry one name, give the lowest number.
#pragma once

#include "ShortcutCommands.h"

#include <windows.h>

#include <cstdint>

void InitVocabularyTables();

// Skin element names and item ids; -1 or null when unknown.
int GetGUIItemId(const wchar_t* name);
const wchar_t* GetGUIItemName(int id);

// Key and button function names by assignment kind (language keys); null for a kind
// outside 0 to 79 or a kind without a name.
const wchar_t* GetKeyFunctionName(int kind);
// The lowest kind of that function name; -1 when unknown.
int GetKeyFunctionId(const wchar_t* name);
// The hint key explaining an assignment of the kind to a button; null when it has none.
const wchar_t* GetButtonHintKey(int kind);

// The COLORREF of a skin colour name; 0xFFFFFFFF (no table colour) when unknown.
COLORREF GetColorByName(const wchar_t* name);

// List column ids (LCITEM_*), list cell kinds and macro event list column kinds; -1 when
// unknown.
int GetListColumnId(const wchar_t* name);
int GetListCellKind(const wchar_t* name);
int GetMacroColumnKind(const wchar_t* name);

// The axis and direction keys of a joystick state (six bytes X, Y, Z, rX, rY, rZ, exactly
// one of them 0x00 or 0xFF and the rest 0x80); false and the outputs untouched otherwise.
bool GetJoystickAxisText(const uint8_t state[6], const wchar_t*& axisKey, const wchar_t*& directionKey);
