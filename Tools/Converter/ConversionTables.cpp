#include "ConversionTables.h"

#include <cstring>

namespace
{
struct KeyCodeName
{
    uint8_t code;
    const wchar_t* name;
};

// Names exactly as the key definitions spell them, non-ASCII names included.
const KeyCodeName kKeyCodeNames[] = {
    { 16, L"` ~" },
    { 17, L"1 !" },
    { 18, L"q Q" },
    { 19, L"Tab" },
    { 20, L"a A" },
    { 21, L"Escape" },
    { 22, L"z Z" },
    { 23, L"Keyboard Int'l 5 \u7121\u5909\u63db (Muhenkan)" },
    { 24, L"F1" },
    { 25, L"2 @" },
    { 26, L"w W" },
    { 27, L"Caps Lock" },
    { 28, L"s S" },
    { 30, L"x X" },
    { 32, L"F2" },
    { 33, L"3 #" },
    { 34, L"e E" },
    { 35, L"F3" },
    { 36, L"d D" },
    { 37, L"F4" },
    { 38, L"c C" },
    { 39, L"Keyboard Lang 1 \ud55c/\uc61d (Hanguel/English)" },
    { 40, L"5 %" },
    { 41, L"4 $" },
    { 42, L"r R" },
    { 43, L"t T" },
    { 44, L"f F" },
    { 45, L"g G" },
    { 46, L"v V" },
    { 47, L"b B" },
    { 48, L"6 ^" },
    { 49, L"7 &" },
    { 50, L"u U" },
    { 51, L"y Y" },
    { 52, L"j J" },
    { 53, L"h H" },
    { 54, L"m M" },
    { 55, L"n N" },
    { 56, L"= +" },
    { 57, L"8 *" },
    { 58, L"i I" },
    { 59, L"] }" },
    { 60, L"k K" },
    { 61, L"F6" },
    { 62, L", <" },
    { 64, L"F8" },
    { 65, L"9 (" },
    { 66, L"o O" },
    { 67, L"F7" },
    { 68, L"l L" },
    { 69, L"Keyboard Int'l 4 \u524d\u5019\u88dc \u5909\u63db (\u6b21\u5019\u88dc) \u5168\u5019\u88dc (Henkan)" },
    { 70, L". >" },
    { 71, L"Keyboard Intl'2 \u304b\u305f\u304b\u306a \u3072\u3089\u304c\u306a \u30ed\u30fc\u30de\u5b57 (Katakana/Hiragana)" },
    { 72, L"- _" },
    { 73, L"0 )" },
    { 74, L"p P" },
    { 75, L"[ {" },
    { 76, L"; :" },
    { 77, L"' \"" },
    { 79, L"/ ?" },
    { 80, L"F9" },
    { 81, L"F10" },
    { 83, L"Backspace" },
    { 84, L"\\ |" },
    { 85, L"F5" },
    { 86, L"Return" },
    { 87, L"Space" },
    { 88, L"Insert (Note 1)" },
    { 89, L"F12" },
    { 90, L"Keypad 8 Up" },
    { 91, L"Keypad 5" },
    { 92, L"Keypad 2 Down" },
    { 93, L"Keypad 0 Insert" },
    { 94, L"Keypad / (Note 1)" },
    { 95, L"Right Arrow (Note 1)" },
    { 96, L"Delete (Note 1)" },
    { 97, L"F11" },
    { 98, L"Keypad 7 Home" },
    { 99, L"Keypad 4 Left" },
    { 100, L"Keypad 1 End" },
    { 102, L"Num Lock" },
    { 103, L"Down Arrow (Note 1)" },
    { 104, L"Page Up (Note 1)" },
    { 105, L"Page Down (Note 1)" },
    { 106, L"Keypad 9 PageUp" },
    { 107, L"Keypad 6 Right" },
    { 108, L"Keypad 3 PageDn" },
    { 109, L"Keypad . Delete" },
    { 110, L"Keypad *" },
    { 111, L"Keypad -" },
    { 112, L"Home (Note 1)" },
    { 113, L"End (Note 1)" },
    { 114, L"Keypad +" },
    { 116, L"Keypad Enter" },
    { 117, L"Up Arrow (Note 1)" },
    { 118, L"Pause" },
    { 119, L"Left Arrow (Note 1)" },
    { 121, L"Scroll Lock" },
    { 122, L"Print Screen (Note 1)" },
    { 125, L"Left Alt" },
    { 127, L"Right Alt" },
    { 131, L"Left Shift" },
    { 134, L"Right Shift" },
    { 136, L"Left Control" },
    { 142, L"Right Control" },
    { 156, L"Left GUI" },
    { 241, L"Left GUI" },
    { 242, L"Right GUI" },
};

struct MouseCodeFlags
{
    uint8_t code;
    uint32_t press;
    uint32_t release;
};

// RI_MOUSE_*_BUTTON_DOWN and _UP of the left, right and middle buttons.
const MouseCodeFlags kMouseCodeFlags[] = {
    { 0xD0, 1, 2 },
    { 0xD1, 4, 8 },
    { 0xD2, 16, 32 },
};

const KeyPositionDefault kKeyPositionDefaults[kKeyPositionCount] = {
    { L"Tab", 0, 0 },
    { L"q Q", 0, 0 },
    { L"w W", 0, 0 },
    { L"e E", 0, 0 },
    { L"r R", 0, 0 },
    { L"Caps Lock", 0, 0 },
    { L"a A", 0, 0 },
    { L"s S", 0, 0 },
    { L"d D", 0, 0 },
    { L"f F", 0, 0 },
    { L"Left Shift", 0, 0 },
    { L"z Z", 0, 0 },
    { L"x X", 0, 0 },
    { L"c C", 0, 0 },
    { L"Left Alt", 0, 0 },
    { nullptr, 8, 6 },
    { nullptr, 3, 3 },
    { nullptr, 9, 7 },
    { L"Space", 0, 0 },
    { L"Up Arrow (Note 1)", 0, 0 },
    { L"Right Arrow (Note 1)", 0, 0 },
    { L"Down Arrow (Note 1)", 0, 0 },
    { L"Left Arrow (Note 1)", 0, 0 },
    { L"Page Up (Note 1)", 0, 0 },
    { L"Page Down (Note 1)", 0, 0 },
    { L"End (Note 1)", 0, 0 },
    { L"Home (Note 1)", 0, 0 },
};

const wchar_t* const kKeymapNames[8] = {
    L"Keymap 1", L"Keymap 2", L"Keymap 3", L"Keymap 4",
    L"Keymap 5", L"Keymap 6", L"Keymap 7", L"Keymap 8",
};
}

const wchar_t* OldKeyCodeName(uint8_t code)
{
    for (const KeyCodeName& entry : kKeyCodeNames) {
        if (entry.code == code)
            return entry.name;
    }
    return nullptr;
}

size_t OldKeyCodeCount()
{
    return sizeof(kKeyCodeNames) / sizeof(kKeyCodeNames[0]);
}

bool OldMouseCodeFlags(uint8_t code, uint32_t& press, uint32_t& release)
{
    for (const MouseCodeFlags& entry : kMouseCodeFlags) {
        if (entry.code == code) {
            press = entry.press;
            release = entry.release;
            return true;
        }
    }
    return false;
}

CMWAssignment OldCodeTemplate(uint8_t code)
{
    switch (code) {
    case 0:
    case 10:
        return CMWAssignment::OfType(CMWAssignment::kKeyStroke);
    case 1:
    case 2:
    case 3: {
        CMWAssignment axis = CMWAssignment::OfType(CMWAssignment::kJoystickAxis);
        axis.SetPayloadU32(0, 1);
        return axis;
    }
    case 4: {
        CMWAssignment profile = CMWAssignment::OfType(CMWAssignment::kProfileSwitch);
        profile.SetPayloadU32(0, CMWAssignment::kSwitchToProfile);
        return profile;
    }
    case 5:
        return CMWAssignment::OfType(CMWAssignment::kLaunch);
    case 11: return CMWAssignment::MouseButton(1);
    case 12: return CMWAssignment::MouseButton(2);
    case 13: return CMWAssignment::MouseButton(3);
    case 14: return CMWAssignment::MouseButton(0);
    case 15: {
        CMWAssignment shift = CMWAssignment::OfType(CMWAssignment::kKeymapFunction);
        shift.SetPayloadU32(0, CMWAssignment::kKeymapShift);
        return shift;
    }
    case 24: return CMWAssignment::MouseButton(11);
    case 25: return CMWAssignment::MouseButton(5);
    case 26: return CMWAssignment::MouseButton(4);
    case 27: return CMWAssignment::MouseButton(6);
    case 28: return CMWAssignment::MouseButton(7);
    case 32:
        return CMWAssignment::OfType(CMWAssignment::kMacro);
    default:
        break;
    }
    if (code >= 16 && code <= 23) {
        CMWAssignment keymap = CMWAssignment::OfType(CMWAssignment::kKeymapFunction);
        keymap.SetPayloadU32(0, CMWAssignment::kKeymapSwitch);
        keymap.m_text = KeymapName(code - 16);
        return keymap;
    }
    return CMWAssignment();
}

bool OldCodeTakesAxisMaximum(uint8_t code)
{
    return code == 2;
}

void GetAxisRecord(int axis, bool maximum, uint8_t record[kAxisRecordBytes])
{
    if (axis < 0 || axis >= kAxisCount)
        axis = 0;
    const uint32_t one = 1;
    memcpy(record, &one, sizeof(one));
    for (int i = 0; i < kAxisCount; ++i)
        record[4 + i] = i == axis ? (maximum ? 0xFF : 0x00) : 0x80;
    record[10] = 0;
}

const KeyPositionDefault& GetKeyPositionDefault(int position)
{
    return kKeyPositionDefaults[position];
}

bool GetDefaultMouseButton(uint32_t buttonId, uint32_t& mouseButton)
{
    for (const KeyPositionDefault& entry : kKeyPositionDefaults) {
        if (entry.IsButton() && entry.buttonId == buttonId) {
            mouseButton = entry.mouseButton;
            return true;
        }
    }
    return false;
}

const wchar_t* KeymapName(int index)
{
    return kKeymapNames[index];
}
