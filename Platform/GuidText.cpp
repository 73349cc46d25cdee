#include "GuidText.h"

#include <cstring>
#include <cwchar>

CString GuidToString(const GUID& guid)
{
    return FormatString(L"{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
        static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3,
        guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3],
        guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
}

namespace
{
bool ParseHex(const wchar_t* text, int digits, unsigned long& value)
{
    value = 0;
    for (int i = 0; i < digits; ++i) {
        wchar_t ch = text[i];
        unsigned long digit;
        if (ch >= L'0' && ch <= L'9')
            digit = static_cast<unsigned long>(ch - L'0');
        else if (ch >= L'a' && ch <= L'f')
            digit = static_cast<unsigned long>(ch - L'a' + 10);
        else if (ch >= L'A' && ch <= L'F')
            digit = static_cast<unsigned long>(ch - L'A' + 10);
        else
            return false;
        value = value * 16 + digit;
    }
    return true;
}
}

bool GuidFromString(const wchar_t* text, GUID& guid)
{
    // Offsets of the hex groups in "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
    if (!text || wcslen(text) != 38 || text[0] != L'{' || text[37] != L'}')
        return false;
    if (text[9] != L'-' || text[14] != L'-' || text[19] != L'-' || text[24] != L'-')
        return false;
    GUID parsed = {};
    unsigned long value = 0;
    if (!ParseHex(text + 1, 8, value))
        return false;
    parsed.Data1 = value;
    if (!ParseHex(text + 10, 4, value))
        return false;
    parsed.Data2 = static_cast<unsigned short>(value);
    if (!ParseHex(text + 15, 4, value))
        return false;
    parsed.Data3 = static_cast<unsigned short>(value);
    static const int kByteOffsets[8] = { 20, 22, 25, 27, 29, 31, 33, 35 };
    for (int i = 0; i < 8; ++i) {
        if (!ParseHex(text + kByteOffsets[i], 2, value))
            return false;
        parsed.Data4[i] = static_cast<unsigned char>(value);
    }
    guid = parsed;
    return true;
}

GUID GuidFromWords(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3)
{
    const uint32_t words[4] = { w0, w1, w2, w3 };
    GUID guid;
    static_assert(sizeof(guid) == sizeof(words), "a GUID is four 32-bit words");
    memcpy(&guid, words, sizeof(guid));
    return guid;
}

void GuidToWords(const GUID& guid, uint32_t words[4])
{
    memcpy(words, &guid, sizeof(guid));
}

bool IsNullGuid(const GUID& guid)
{
    return IsEqualGUID(guid, GUID_NULL) != FALSE;
}

bool GuidLess::operator()(const GUID& a, const GUID& b) const
{
    return memcmp(&a, &b, sizeof(GUID)) < 0;
}
