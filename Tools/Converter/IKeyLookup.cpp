#include "IKeyLookup.h"

KeyScan LookUpKeyByName(const IKeyLookup& keys, const wchar_t* name)
{
    int32_t keyId = 0;
    if (!name || !keys.FindKeyByName(name, keyId))
        return KeyScan();
    return keys.GetScanCode(keyId);
}

uint32_t ConverterKeyCode(const KeyScan& scan)
{
    uint32_t code = scan.scanCode;
    if (scan.flag == KeyScan::kE0)
        code |= 0x20000;
    else if (scan.flag == KeyScan::kE1)
        code |= 0x40000;
    return code;
}
