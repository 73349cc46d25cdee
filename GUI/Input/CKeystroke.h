// Classes in this file:
//   CKeystroke - one captured key: its scan code, sided virtual key, direction, flags and
//                the name Windows gives it, with the translations from raw input and from
//                key messages.
#pragma once

#include "CString.h"

#include <windows.h>

#include <cstdint>

constexpr uint8_t kKeyDirectionDown = 0xFF;
constexpr uint8_t kKeyDirectionUp = 1;

constexpr uint8_t kKeystrokeExtended = 1;
constexpr uint8_t kKeystrokeAlt = 2;
constexpr uint8_t kKeystrokeCtrl = 4;
constexpr uint8_t kKeystrokeShift = 8;

class CKeystroke
{
public:
    // Data members
    int16_t m_scanCode = 0;
    int16_t m_virtualKey = 0;
    uint8_t m_direction = 0;
    uint8_t m_flags = 0;
    CString m_keyName;
    // The virtual key and scan code of the last translation, kept between translations.
    int16_t m_workingVirtualKey = 0;
    int16_t m_workingScanCode = 0;

    // Attributes
    // The macro event words of the keystroke: scan code | virtual key << 16, and
    // direction | flags << 8.
    uint32_t GetEventValue() const;
    uint32_t GetEventExtra() const;
};

// Translates a raw keyboard report; true when it is a key to record (not a zero make code,
// an E1 sequence or the fake shift Windows sends around E0 keys) and Windows names it.
bool KeystrokeFromRawInput(CKeystroke& keystroke, const RAWKEYBOARD& report);
// Translates a key message; true when the caller should swallow it (an auto-repeat or any
// message that is no key message is left untranslated and also gives true).
bool KeystrokeFromMessage(CKeystroke& keystroke, UINT message, WPARAM wParam, LPARAM lParam);
// Translates the lParam of a key message whose virtual key is in the working virtual key.
void KeystrokeFromKeyData(LPARAM keyData, CKeystroke& keystroke, bool down);
// The name Windows gives the key; false, leaving the name, when it has none.
bool GetKeyDisplayName(int virtualKey, CString& name, int scanCode, bool extended);
