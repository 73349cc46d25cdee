#include "OldData.h"

#include <cstring>

uint16_t OldKeyRecord::GetValue() const
{
    uint16_t value;
    memcpy(&value, m_bytes + 4, sizeof(value));
    return value;
}

CString OldKeyRecord::GetText() const
{
    CString text;
    for (int i = 0; i < kTextUnits; ++i) {
        uint16_t unit;
        memcpy(&unit, m_bytes + kTextOffset + 2 * i, sizeof(unit));
        if (unit == 0)
            break;
        text += static_cast<wchar_t>(unit);
    }
    return text;
}

OldKeyRecord OldProfile::GetRecord(int keymap, int position) const
{
    size_t offset = kKeymapBytes * static_cast<size_t>(keymap) + OldKeyRecord::kSize * static_cast<size_t>(position);
    return OldKeyRecord(keymaps.data() + offset);
}

CString ReduceTo8Bits(const CString& text)
{
    CString reduced;
    for (int i = 0; i < text.GetLength(); ++i) {
        // A zero low byte ends an 8-bit string.
        wchar_t low = static_cast<wchar_t>(text[i] & 0xFF);
        if (low == 0)
            break;
        reduced += low;
    }
    return reduced;
}
