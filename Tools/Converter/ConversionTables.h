// Tables the conversion translates old codes through: old key codes to key names, old mouse
// codes to raw-input button flags, old assignment codes to assignment templates, the joystick
// axis records and the keypad's 27 key positions with their defaults.
#pragma once

#include "CMWAssignment.h"

#include <cstddef>
#include <cstdint>

// Old code of a delay event in a macro.
constexpr uint8_t kOldDelayCode = 0xFF;

// The key name of an old key code (key-stroke assignments and macro events); null when the
// code has no key.
const wchar_t* OldKeyCodeName(uint8_t code);
// Number of old key codes that have a key.
size_t OldKeyCodeCount();

// The raw-input button flags of an old mouse code in a macro; false for any other code.
bool OldMouseCodeFlags(uint8_t code, uint32_t& press, uint32_t& release);

// The assignment an old assignment code starts from (word 0 = 1, id 0); an empty record
// (type 0) for a code without one. Codes 16 to 23 carry the key-map name as their text.
CMWAssignment OldCodeTemplate(uint8_t code);
// Old codes 1 and 3 move an axis to its minimum, code 2 to its maximum.
bool OldCodeTakesAxisMaximum(uint8_t code);

// The 11-byte axis record a joystick assignment carries from payload offset 0: word 1, the
// six axis bytes (the chosen one at 0x00 or 0xFF, the others at 0x80) and a zero byte. An
// axis beyond the six gives axis 0.
constexpr size_t kAxisRecordBytes = 11;
constexpr int kAxisCount = 6;
void GetAxisRecord(int axis, bool maximum, uint8_t record[kAxisRecordBytes]);

// The default of one keypad key position: a keyboard key by name, or a button with the
// mouse button it presses.
struct KeyPositionDefault
{
    const wchar_t* keyName;
    uint32_t buttonId;
    uint32_t mouseButton;

    bool IsButton() const { return keyName == nullptr; }
};
constexpr int kKeyPositionCount = 27;
const KeyPositionDefault& GetKeyPositionDefault(int position);
// The default mouse button of a button id; false when no position has that button.
bool GetDefaultMouseButton(uint32_t buttonId, uint32_t& mouseButton);

// "Keymap 1" to "Keymap 8" for index 0 to 7.
const wchar_t* KeymapName(int index);
