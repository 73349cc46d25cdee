// Classes in this file:
//   FakeKeyDefinitions - a small key table for the conversion tests: the keypad's default
//                        keys and a few others, with the scan codes of a US keyboard.
#pragma once

#include "IKeyDefinitions.h"

#include "CString.h"

#include <map>
#include <vector>

class FakeKeyDefinitions : public IKeyDefinitions
{
public:
    struct Key
    {
        CString name;
        KeyScan scan;
    };

    // The standard table below; loading succeeds unless told otherwise.
    FakeKeyDefinitions();

    void AddKey(const wchar_t* name, uint16_t scanCode, uint8_t flag = KeyScan::kPlain);
    void Clear() { m_keys.clear(); }
    const std::vector<Key>& GetKeys() const { return m_keys; }
    void SetLoadResult(bool result) { m_loadResult = result; }
    bool WasLoaded() const { return m_loadCalls > 0; }

    bool FindKeyByName(const wchar_t* name, int32_t& keyId) const override;
    KeyScan GetScanCode(int32_t keyId) const override;
    bool LoadKeyDefinitions(const uint8_t* data, size_t size) override;
    bool LoadKeyDefaults(const uint8_t* data, size_t size) override;

private:
    std::vector<Key> m_keys;
    bool m_loadResult = true;
    int m_loadCalls = 0;
};
