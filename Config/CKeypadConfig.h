// Classes in this file:
//   CKeypadConfig<T> - a keypad's configuration: the configuration with the keypad's
//   process-wide default tables.
#pragma once

#include "CBaseConfig.h"

#include <map>

// The default assignments of the scroll-wheel buttons (the others default to their key).
extern std::map<tKeypadButton, CAssignment> g_defaultButtonAssignments;
// The key id of each button's default key, for buttons 1 to 16 and 20 to 27.
extern std::map<tKeypadButton, int> g_defaultButtonKeys;

// Fills the two default tables; only the first call in a process does anything.
void RestoreDefaultTables();

template <typename T>
class CKeypadConfig : public CBaseConfig<T>
{
};
