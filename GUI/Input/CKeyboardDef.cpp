#include "CKeyboardDef.h"

#include "KeyId.h"

CKeyboardDef g_keyboardDef;
const int32_t g_numLockKeyId = HashKeyName(L"Num Lock");

CKeyboardDef::~CKeyboardDef() = default;
