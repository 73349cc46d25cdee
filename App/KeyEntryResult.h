// Classes in this file:
//   KeyEntryResult - what a key-entry popup gives its caller: the key's text, its scan code
//                    and virtual-key code, and the flag bits of a single-key assignment.
#pragma once

#include "CString.h"

#include <cstdint>

struct KeyEntryResult
{
    // Flag bits, as in the payload of a single-key assignment.
    static constexpr uint8_t kExtended = 1;
    static constexpr uint8_t kAlt = 2;
    static constexpr uint8_t kCtrl = 4;
    static constexpr uint8_t kShift = 8;

    CString m_keyText;
    uint16_t m_scanCode = 0;
    uint16_t m_virtualKey = 0;
    uint8_t m_flags = 0;
};
