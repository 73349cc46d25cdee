// Classes in this file:
//   KeyScan    - a key's scan code and its prefix flag from the key definitions.
//   IKeyLookup - the key-definition lookups the conversion needs.
#pragma once

#include <cstdint>

struct KeyScan
{
    // Prefix flag of the key definitions: 0 plain, 1 an E0 key, 2 an E1 key.
    static constexpr uint8_t kPlain = 0;
    static constexpr uint8_t kE0 = 1;
    static constexpr uint8_t kE1 = 2;

    uint16_t scanCode = 0;
    uint8_t flag = kPlain;
};

// The conversion turns key names into scan codes through this interface, so that it does not
// depend on how the key definitions were loaded (tests give it a small table).
class IKeyLookup
{
public:
    virtual ~IKeyLookup() = default;

    // The djb2 key id of the first key of that name, compared without regard to case, in the
    // order of the definitions; false when no key has that name.
    virtual bool FindKeyByName(const wchar_t* name, int32_t& keyId) const = 0;
    // The scan code and flag of a usable key; (0, 0) for an unknown or unusable key id.
    virtual KeyScan GetScanCode(int32_t keyId) const = 0;
};

// Scan code and flag of the key of that name, or (0, 0) when the definitions lack it.
KeyScan LookUpKeyByName(const IKeyLookup& keys, const wchar_t* name);

// A key's converter code: its scan code, plus 0x20000 for an E0 key or 0x40000 for an E1 key.
// This is the id of a key entry in the store; it is not the djb2 key id.
uint32_t ConverterKeyCode(const KeyScan& scan);
