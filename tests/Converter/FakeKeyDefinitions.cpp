#include "FakeKeyDefinitions.h"

#include "KeyId.h"

FakeKeyDefinitions::FakeKeyDefinitions()
{
    struct Row { const wchar_t* name; uint16_t scan; uint8_t flag; };
    static const Row rows[] = {
        { L"Tab", 0x0F, 0 }, { L"q Q", 0x10, 0 }, { L"w W", 0x11, 0 }, { L"e E", 0x12, 0 },
        { L"r R", 0x13, 0 }, { L"Caps Lock", 0x3A, 0 }, { L"a A", 0x1E, 0 }, { L"s S", 0x1F, 0 },
        { L"d D", 0x20, 0 }, { L"f F", 0x21, 0 }, { L"Left Shift", 0x2A, 0 }, { L"z Z", 0x2C, 0 },
        { L"x X", 0x2D, 0 }, { L"c C", 0x2E, 0 }, { L"Left Alt", 0x38, 0 }, { L"Space", 0x39, 0 },
        { L"Up Arrow (Note 1)", 0x48, 1 }, { L"Right Arrow (Note 1)", 0x4D, 1 },
        { L"Down Arrow (Note 1)", 0x50, 1 }, { L"Left Arrow (Note 1)", 0x4B, 1 },
        { L"Page Up (Note 1)", 0x49, 1 }, { L"Page Down (Note 1)", 0x51, 1 },
        { L"End (Note 1)", 0x4F, 1 }, { L"Home (Note 1)", 0x47, 1 },
        { L"Escape", 0x01, 0 }, { L"1 !", 0x02, 0 }, { L"F1", 0x3B, 0 }, { L"Pause", 0x1D, 2 },
        { L"Keyboard Int'l 5 無変換 (Muhenkan)", 0x7B, 0 }, { L"Right Control", 0x1D, 1 },
    };
    for (const Row& row : rows)
        AddKey(row.name, row.scan, row.flag);
}

void FakeKeyDefinitions::AddKey(const wchar_t* name, uint16_t scanCode, uint8_t flag)
{
    Key key;
    key.name = name;
    key.scan.scanCode = scanCode;
    key.scan.flag = flag;
    m_keys.push_back(key);
}

bool FakeKeyDefinitions::FindKeyByName(const wchar_t* name, int32_t& keyId) const
{
    for (const Key& key : m_keys) {
        if (key.name.CompareNoCase(name) == 0) {
            keyId = HashKeyName(key.name);
            return true;
        }
    }
    return false;
}

KeyScan FakeKeyDefinitions::GetScanCode(int32_t keyId) const
{
    for (const Key& key : m_keys) {
        if (HashKeyName(key.name) == keyId)
            return key.scan;
    }
    return KeyScan();
}

bool FakeKeyDefinitions::LoadKeyDefinitions(const uint8_t* data, size_t size)
{
    ++m_loadCalls;
    return data && size > 0 && m_loadResult;
}

bool FakeKeyDefinitions::LoadKeyDefaults(const uint8_t*, size_t)
{
    return true;
}
