// Classes in this file:
//   IKeyDefinitions - the key definitions the converter loads from its two data files and
//                     then looks keys up in.
#pragma once

#include "IKeyLookup.h"

#include <cstddef>
#include <cstdint>

class IKeyDefinitions : public IKeyLookup
{
public:
    // The key definition file ("kbddef.dat"); false when it is not a complete one.
    virtual bool LoadKeyDefinitions(const uint8_t* data, size_t size) = 0;
    // The default keystrokes ("velmodef.dat"); false when the file is rejected.
    virtual bool LoadKeyDefaults(const uint8_t* data, size_t size) = 0;
};
