// Classes in this file:
//   IKeyDefaults - what the model and the device layer need of the key definitions: each
//   key's default keystroke and the key a keystroke belongs to.
#pragma once

#include <cstdint>

class IKeyDefaults
{
public:
    virtual ~IKeyDefaults() = default;
    // The default keystroke of the key, false when the key has none. extended is the
    // key's group: 1 for an E0 key, 2 for an E1 key, else 0.
    virtual bool GetDefaultKeystroke(int32_t keyId, uint16_t& scanCode, uint8_t& extended) const = 0;
    // The key whose scan code (low 16 bits) and group (bits 16 to 23) equal the
    // keystroke's; 0 when no key does.
    virtual int32_t FindKeyByScanCode(uint32_t keystroke) const = 0;
};
