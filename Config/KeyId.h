// Key ids: every keyboard key is identified by the djb2 hash of its name as the key
// definition table spells it. Key assignments are keyed by this id.
#pragma once

#include <cstdint>

// h = 5381, then h = h * 33 + c for every UTF-16 code unit, wrapping at 32 bits.
int32_t HashKeyName(const wchar_t* name);
