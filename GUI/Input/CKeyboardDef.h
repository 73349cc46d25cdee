// Classes in this file:
//   CKeyboardDef - the program's key definition table as a skin item (the KEYBOARDDEF
//                  element): the key data files are read by its CKeyDefTable part.
#pragma once

#include "CGUIItem.h"
#include "CKeyDefTable.h"

class CKeyboardDef : public CGUIItem, public CKeyDefTable
{
public:
    CKeyboardDef() = default;
    ~CKeyboardDef() override;
};

// The one key definition table of the program, filled when the skin's KEYBOARDDEF element
// is loaded.
extern CKeyboardDef g_keyboardDef;
// The key id of "Num Lock", which the keyboard key items treat specially.
extern const int32_t g_numLockKeyId;
