#include "CNullKeypad.h"

#include "KeyId.h"

namespace
{
const GUID kProfileGuids[CNullKeypad::kProfileCount] = {
    { 0x00A98AC7, 0x0457, 0x0457, { 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01 } },
    { 0x0153158E, 0x08AE, 0x08AE, { 0x02, 0x02, 0x02, 0x02, 0x02, 0x02, 0x02, 0x02 } },
    { 0x01FCA055, 0x0D05, 0x0D05, { 0x03, 0x03, 0x03, 0x03, 0x03, 0x03, 0x03, 0x03 } },
    { 0x02A62B1C, 0x115C, 0x115C, { 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04 } },
    { 0x034FB5E3, 0x15B3, 0x15B3, { 0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05 } },
    { 0x03F940AA, 0x1A0A, 0x1A0A, { 0x06, 0x06, 0x06, 0x06, 0x06, 0x06, 0x06, 0x06 } },
    { 0x04A2CB71, 0x1E61, 0x1E61, { 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07 } },
    { 0x054C5638, 0x22B8, 0x22B8, { 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08 } },
    { 0x05F5E0FF, 0x270F, 0x270F, { 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09 } },
    { 0x00A98AC7, 0x15B3, 0x15B3, { 0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05 } },
    { 0x0153158E, 0x0457, 0x0457, { 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01 } },
    { 0x01FCA055, 0x08AE, 0x08AE, { 0x02, 0x02, 0x02, 0x02, 0x02, 0x02, 0x02, 0x02 } },
    { 0x02A62B1C, 0x0D05, 0x0D05, { 0x03, 0x03, 0x03, 0x03, 0x03, 0x03, 0x03, 0x03 } },
    { 0x034FB5E3, 0x115C, 0x115C, { 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04 } },
    { 0x03F940AA, 0x15B3, 0x15B3, { 0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05 } },
    { 0x04A2CB71, 0x0457, 0x0457, { 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01 } },
    { 0x054C5638, 0x08AE, 0x08AE, { 0x02, 0x02, 0x02, 0x02, 0x02, 0x02, 0x02, 0x02 } },
    { 0x05F5E0FF, 0x0D05, 0x0D05, { 0x03, 0x03, 0x03, 0x03, 0x03, 0x03, 0x03, 0x03 } },
    { 0x00A98AC7, 0x115C, 0x115C, { 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04 } },
    { 0x0153158E, 0x15B3, 0x15B3, { 0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05 } },
};

// The keys whose default assignments a profile gets when assignments are kept outside keymaps.
const wchar_t* const kKeyNames[] = {
    L"a A", L"b B", L"c C", L"d D", L"e E", L"f F", L"g G", L"h H", L"i I", L"j J", L"k K",
    L"l L", L"m M", L"n N", L"o O", L"p P", L"q Q", L"r R", L"s S", L"t T", L"u U", L"v V",
    L"w W", L"x X", L"y Y", L"z Z", L"1 !", L"2 @", L"3 #", L"4 $", L"5 %", L"6 ^", L"7 &",
    L"8 *", L"9 (", L"0 )", L"Return", L"Escape", L"Backspace", L"Tab", L"Space", L"- _",
    L"= +", L"[ {", L"] }", L"\\ |", L"; :", L"' \"", L"` ~", L", <", L". >", L"/ ?", L"Caps Lock",
    L"F1", L"F2", L"F3", L"F4", L"F5", L"F6", L"F7", L"F8", L"F9", L"F10", L"F11", L"F12",
    L"Print Screen (Note 1)", L"Scroll Lock", L"Pause", L"Insert (Note 1)", L"Home (Note 1)",
    L"Page Up (Note 1)", L"Delete (Note 1)", L"End (Note 1)", L"Page Down (Note 1)", L"Right Arrow (Note 1)",
    L"Left Arrow (Note 1)", L"Down Arrow (Note 1)", L"Up Arrow (Note 1)", L"Num Lock",
    L"Keypad / (Note 1)", L"Keypad *", L"Keypad -", L"Keypad +", L"Keypad Enter", L"Keypad 1 End",
    L"Keypad 2 Down", L"Keypad 3 PageDn", L"Keypad 4 Left", L"Keypad 5", L"Keypad 6 Right",
    L"Keypad 7 Home", L"Keypad 8 Up", L"Keypad 9 PageUp", L"Keypad 0 Insert", L"Keypad . Delete",
    L"Europe 2 (Note 2)", L"App", L"Keypad =", L"Left Control", L"Left Shift", L"Left Alt",
    L"Left GUI", L"Right Control", L"Right Shift", L"Right Alt", L"Right GUI",
};
}

bool CNullKeypad::Initialize(IKeypadConfig* config)
{
    m_keyIds.clear();
    for (const wchar_t* name : kKeyNames)
        m_keyIds.push_back(HashKeyName(name));
    m_defaultButtonAssignments.clear();
    m_defaultButtonAssignments[kButtonWheelClick].kind = kAssignUniversalScrolling;
    m_defaultButtonAssignments[kButtonWheelUp].kind = kAssignScrollUp;
    m_defaultButtonAssignments[kButtonWheelDown].kind = kAssignScrollDown;
    if (!config)
        return false;

    config->RemoveAllProfiles();
    for (int i = 0; i < kProfileCount; ++i) {
        IKeypadProfile* profile = config->CreateProfile(FormatString(L"PROFILE%02d", i + 1));
        profile->SetGUID(kProfileGuids[i]);
        if (config->IsKeymapModeEnabled())
            continue;
        for (const auto& entry : m_defaultButtonAssignments)
            config->SetButtonAssignment(tKeypadButton(entry.first), entry.second, profile);
        for (int32_t keyId : m_keyIds) {
            CAssignment assignment;
            if (config->GetDefaultKeyAssignment(&assignment, keyId)->kind != -1)
                config->SetKeyAssignment(keyId, assignment, profile);
        }
    }
    config->SetActiveProfile(config->GetProfile(0));
    config->Reserved();
    return config->GetProfileCount() == kProfileCount;
}

void CNullKeypad::Shutdown()
{
    m_keyIds.clear();
    m_keyIds.shrink_to_fit();
}
