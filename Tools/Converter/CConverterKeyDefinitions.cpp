#include "CConverterKeyDefinitions.h"

#include <climits>

bool CConverterKeyDefinitions::LoadKeyDefinitions(const uint8_t* data, size_t size)
{
    if (size > static_cast<size_t>(INT_MAX))
        return false;
    return m_table.Load(data, static_cast<int>(size));
}

bool CConverterKeyDefinitions::LoadKeyDefaults(const uint8_t* data, size_t size)
{
    if (size > static_cast<size_t>(INT_MAX))
        return false;
    return m_table.LoadDefaults(data, static_cast<int>(size));
}

bool CConverterKeyDefinitions::FindKeyByName(const wchar_t* name, int32_t& keyId) const
{
    const CKeyDefRecord* record = m_table.FindKeyByName(name);
    if (!record)
        return false;
    keyId = record->keyId;
    return true;
}

KeyScan CConverterKeyDefinitions::GetScanCode(int32_t keyId) const
{
    int16_t scanCode = 0;
    uint8_t flag = 0;
    KeyScan scan;
    if (m_table.GetScanCode(keyId, scanCode, flag)) {
        scan.scanCode = static_cast<uint16_t>(scanCode);
        scan.flag = flag;
    }
    return scan;
}
