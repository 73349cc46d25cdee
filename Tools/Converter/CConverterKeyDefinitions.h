// Classes in this file:
//   CConverterKeyDefinitions - the converter's key definitions: the shared key definition
//                              table, loaded from "kbddef.dat" and "velmodef.dat".
#pragma once

#include "CKeyDefTable.h"
#include "IKeyDefinitions.h"

class CConverterKeyDefinitions : public IKeyDefinitions
{
public:
    bool LoadKeyDefinitions(const uint8_t* data, size_t size) override;
    bool LoadKeyDefaults(const uint8_t* data, size_t size) override;
    bool FindKeyByName(const wchar_t* name, int32_t& keyId) const override;
    KeyScan GetScanCode(int32_t keyId) const override;

    const CKeyDefTable& GetTable() const { return m_table; }

private:
    // Data members
    CKeyDefTable m_table;
};
