#include "CKeystroke.h"

namespace
{
constexpr USHORT kNoVirtualKey = 255;
constexpr int kKeyNameLength = 40;

bool IsSwallowedKeyDown(WPARAM virtualKey)
{
    switch (virtualKey) {
    case VK_BACK:
    case VK_TAB:
    case VK_PAUSE:
    case VK_CAPITAL:
    case VK_SPACE:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_NUMLOCK:
    case VK_SCROLL:
        return true;
    default:
        return false;
    }
}

// Tells the left and right modifiers apart, and the keypad's Enter from the main one.
int16_t SidedVirtualKey(int16_t virtualKey, int scanCode, bool extended)
{
    switch (virtualKey) {
    case VK_CONTROL:
        return extended ? VK_RCONTROL : VK_LCONTROL;
    case VK_MENU:
        return extended ? VK_RMENU : VK_LMENU;
    case VK_SHIFT:
        if (scanCode == 0x2A)
            return VK_LSHIFT;
        if (scanCode == 0x36)
            return VK_RSHIFT;
        return VK_SHIFT;
    case VK_RETURN:
        return extended ? VK_SEPARATOR : VK_RETURN;
    default:
        return virtualKey;
    }
}

// The modifiers needed to type the key's character; none for a key that types none.
// A letter's character is its capital, which asks for Shift: Shift counts only while it
// is really down, so a plain letter is not recorded as Shift plus the letter.
uint8_t ShiftStateFlags(int virtualKey)
{
    HKL layout = GetKeyboardLayout(0);
    UINT character = MapVirtualKeyExW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_CHAR, layout) & 0x7FFFFFFF;
    if (character == 0 || character > 0xFFFF)
        return 0;
    SHORT scan = VkKeyScanExW(static_cast<WCHAR>(character), layout);
    if (scan == -1)
        return 0;
    uint8_t flags = 0;
    if ((scan & 0x100) && GetKeyState(VK_SHIFT) < 0)
        flags |= kKeystrokeShift;
    if (scan & 0x200)
        flags |= kKeystrokeCtrl;
    if (scan & 0x400)
        flags |= kKeystrokeAlt;
    return flags;
}
}

uint32_t CKeystroke::GetEventValue() const
{
    return static_cast<uint16_t>(m_scanCode) | (static_cast<uint32_t>(static_cast<uint16_t>(m_virtualKey)) << 16);
}

uint32_t CKeystroke::GetEventExtra() const
{
    return m_direction | (static_cast<uint32_t>(m_flags) << 8);
}

bool GetKeyDisplayName(int virtualKey, CString& name, int scanCode, bool extended)
{
    LONG keyData = static_cast<LONG>(static_cast<uint32_t>(scanCode & 0xFF) << 16);
    if (extended || virtualKey == VK_NUMLOCK || virtualKey == 194)
        keyData |= 1 << 24;
    wchar_t buffer[kKeyNameLength] = {};
    int length = GetKeyNameTextW(keyData, buffer, kKeyNameLength);
    if (length <= 0)
        return false;
    name = CString(buffer, length);
    return true;
}

bool KeystrokeFromRawInput(CKeystroke& keystroke, const RAWKEYBOARD& report)
{
    keystroke.m_scanCode = 0;
    keystroke.m_virtualKey = 0;
    keystroke.m_direction = 0;
    keystroke.m_flags = 0;
    keystroke.m_workingScanCode = static_cast<int16_t>(report.MakeCode);
    if (report.VKey != kNoVirtualKey)
        keystroke.m_workingVirtualKey = static_cast<int16_t>(report.VKey);
    keystroke.m_scanCode = static_cast<int16_t>(report.MakeCode);
    keystroke.m_virtualKey = keystroke.m_workingVirtualKey;
    const bool extended = (report.Flags & RI_KEY_E0) != 0;
    keystroke.m_flags = extended ? kKeystrokeExtended : 0;
    keystroke.m_direction = (report.Flags & RI_KEY_BREAK) ? kKeyDirectionUp : kKeyDirectionDown;
    if (!GetKeyDisplayName(keystroke.m_virtualKey, keystroke.m_keyName, keystroke.m_scanCode, extended))
        return false;
    if (report.MakeCode == 0 || (report.Flags & RI_KEY_E1))
        return false;
    return !(extended && report.VKey == kNoVirtualKey);
}

void KeystrokeFromKeyData(LPARAM keyData, CKeystroke& keystroke, bool down)
{
    keystroke.m_workingScanCode = static_cast<int16_t>((keyData >> 16) & 0xFF);
    const bool extended = (keyData & (1 << 24)) != 0;
    keystroke.m_workingVirtualKey = SidedVirtualKey(keystroke.m_workingVirtualKey, keystroke.m_workingScanCode, extended);
    keystroke.m_scanCode = keystroke.m_workingScanCode;
    keystroke.m_virtualKey = keystroke.m_workingVirtualKey;
    keystroke.m_direction = down ? kKeyDirectionDown : kKeyDirectionUp;
    keystroke.m_flags = extended ? kKeystrokeExtended : 0;
    if (keyData & (1 << 29))
        keystroke.m_flags |= kKeystrokeAlt;
    keystroke.m_flags |= ShiftStateFlags(keystroke.m_virtualKey);
    GetKeyDisplayName(keystroke.m_virtualKey, keystroke.m_keyName, keystroke.m_scanCode, extended);
}

bool KeystrokeFromMessage(CKeystroke& keystroke, UINT message, WPARAM wParam, LPARAM lParam)
{
    bool down = false;
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (lParam & (1 << 30))
            return true;
        down = true;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        break;
    default:
        return true;
    }
    keystroke.m_workingVirtualKey = static_cast<int16_t>(wParam);
    keystroke.m_keyName.Empty();
    KeystrokeFromKeyData(lParam, keystroke, down);
    GetKeyDisplayName(keystroke.m_workingVirtualKey, keystroke.m_keyName, keystroke.m_workingScanCode,
        (keystroke.m_flags & kKeystrokeExtended) != 0);
    return message == WM_KEYDOWN && IsSwallowedKeyDown(wParam);
}
