// GUID helpers: the text form, the four-word form the device service passes GUIDs in,
// and an ordering for maps.
#pragma once

#include "CString.h"

#include <windows.h>

#include <cstdint>

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case, as StringFromGUID2 writes it.
CString GuidToString(const GUID& guid);

// Parses the form above (braces required); false, and guid untouched, when it is not one.
bool GuidFromString(const wchar_t* text, GUID& guid);

// The GUID's 16 bytes in memory order as four little-endian 32-bit words, and back.
GUID GuidFromWords(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3);
void GuidToWords(const GUID& guid, uint32_t words[4]);

bool IsNullGuid(const GUID& guid);

struct GuidLess
{
    bool operator()(const GUID& a, const GUID& b) const;
};
