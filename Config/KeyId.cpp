#include "KeyId.h"

int32_t HashKeyName(const wchar_t* name)
{
    uint32_t hash = 5381;
    for (const wchar_t* ch = name; ch && *ch; ++ch)
        hash = hash * 33 + static_cast<uint16_t>(*ch);
    return static_cast<int32_t>(hash);
}
