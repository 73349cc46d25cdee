// Classes in this file:
//   IKeyDefaults - where the store finds the default keystroke of a key.
#pragma once

#include <cstdint>

class IKeyDefaults
{
public:
    virtual ~IKeyDefaults() = default;
    // The default keystroke of the key, false when the key has none.
    virtual bool GetDefaultKeystroke(int32_t keyId, uint16_t& scanCode, uint8_t& extended) const = 0;
};
