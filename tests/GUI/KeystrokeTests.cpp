#include "CKeystroke.h"
#include "CRawInputDevices.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
LPARAM KeyData(int scanCode, bool extended, bool alt = false, bool repeat = false)
{
    LPARAM data = 1 | (static_cast<LPARAM>(scanCode) << 16);
    if (extended)
        data |= 1 << 24;
    if (alt)
        data |= 1 << 29;
    if (repeat)
        data |= 1 << 30;
    return data;
}

RAWKEYBOARD RawReport(USHORT makeCode, USHORT flags, USHORT virtualKey)
{
    RAWKEYBOARD report = {};
    report.MakeCode = makeCode;
    report.Flags = flags;
    report.VKey = virtualKey;
    return report;
}

class CMessageWindow
{
    HWND m_wnd;

public:
    CMessageWindow() : m_wnd(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~CMessageWindow()
    {
        if (m_wnd)
            DestroyWindow(m_wnd);
    }
    HWND Get() const { return m_wnd; }
};

// A registration that fails while the failure count lasts, and records what it was given.
struct FakeRegistration
{
    static int failures;
    static std::vector<RAWINPUTDEVICE> last;

    static BOOL WINAPI Register(PCRAWINPUTDEVICE devices, UINT count, UINT size)
    {
        if (size != sizeof(RAWINPUTDEVICE))
            return FALSE;
        last.assign(devices, devices + count);
        if (failures > 0) {
            --failures;
            return FALSE;
        }
        return TRUE;
    }
};
int FakeRegistration::failures = 0;
std::vector<RAWINPUTDEVICE> FakeRegistration::last;

class RawInputTest : public testing::Test
{
protected:
    CRawInputDevices m_devices;
};
}

TEST(KeystrokeFromMessage, TellsTheModifierSidesAndTheKeypadEnterApart)
{
    struct Case { const char* what; UINT message; WPARAM key; int scan; bool extended; int16_t virtualKey; };
    const Case cases[] = {
        { "left shift", WM_KEYDOWN, VK_SHIFT, 0x2A, false, VK_LSHIFT },
        { "right shift", WM_KEYDOWN, VK_SHIFT, 0x36, false, VK_RSHIFT },
        { "shift of another scan code", WM_KEYDOWN, VK_SHIFT, 0x10, false, VK_SHIFT },
        { "left control", WM_KEYDOWN, VK_CONTROL, 0x1D, false, VK_LCONTROL },
        { "right control", WM_KEYUP, VK_CONTROL, 0x1D, true, VK_RCONTROL },
        { "left alt", WM_SYSKEYDOWN, VK_MENU, 0x38, false, VK_LMENU },
        { "right alt", WM_SYSKEYUP, VK_MENU, 0x38, true, VK_RMENU },
        { "main enter", WM_KEYDOWN, VK_RETURN, 0x1C, false, VK_RETURN },
        { "keypad enter", WM_KEYDOWN, VK_RETURN, 0x1C, true, 108 },
        { "a letter", WM_KEYDOWN, 'A', 0x1E, false, 'A' },
    };
    for (const Case& c : cases) {
        CKeystroke keystroke;
        KeystrokeFromMessage(keystroke, c.message, c.key, KeyData(c.scan, c.extended));
        EXPECT_EQ(keystroke.m_virtualKey, c.virtualKey) << c.what;
        EXPECT_EQ(keystroke.m_scanCode, c.scan) << c.what;
        EXPECT_EQ(keystroke.m_flags & kKeystrokeExtended, c.extended ? 1 : 0) << c.what;
        const bool down = c.message == WM_KEYDOWN || c.message == WM_SYSKEYDOWN;
        EXPECT_EQ(keystroke.m_direction, down ? kKeyDirectionDown : kKeyDirectionUp) << c.what;
    }
}

TEST(KeystrokeFromMessage, SwallowsOnlyTheListedKeyDowns)
{
    struct Case { UINT message; WPARAM key; int scan; bool swallowed; };
    const Case cases[] = {
        { WM_KEYDOWN, VK_TAB, 0x0F, true }, { WM_KEYDOWN, VK_BACK, 0x0E, true }, { WM_KEYDOWN, VK_SPACE, 0x39, true },
        { WM_KEYDOWN, VK_LEFT, 0x4B, true }, { WM_KEYDOWN, VK_HOME, 0x47, true }, { WM_KEYDOWN, VK_APPS, 0x5D, true },
        { WM_KEYDOWN, VK_NUMLOCK, 0x45, true }, { WM_KEYDOWN, VK_SCROLL, 0x46, true }, { WM_KEYDOWN, VK_PAUSE, 0x45, true },
        { WM_KEYDOWN, VK_END, 0x4F, false }, { WM_KEYDOWN, 'A', 0x1E, false }, { WM_KEYUP, VK_TAB, 0x0F, false },
        { WM_SYSKEYDOWN, VK_TAB, 0x0F, false }, { WM_SYSKEYUP, VK_SPACE, 0x39, false },
    };
    for (const Case& c : cases) {
        CKeystroke keystroke;
        EXPECT_EQ(KeystrokeFromMessage(keystroke, c.message, c.key, KeyData(c.scan, false)), c.swallowed)
            << c.message << " " << c.key;
    }
}

TEST(KeystrokeFromMessage, LeavesRepeatsAndOtherMessagesUntranslated)
{
    CKeystroke keystroke;
    keystroke.m_scanCode = 7;
    EXPECT_TRUE(KeystrokeFromMessage(keystroke, WM_KEYDOWN, 'A', KeyData(0x1E, false, false, true)));
    EXPECT_TRUE(KeystrokeFromMessage(keystroke, WM_CHAR, 'a', KeyData(0x1E, false)));
    EXPECT_EQ(keystroke.m_scanCode, 7);
    EXPECT_EQ(keystroke.m_direction, 0);
}

TEST(KeystrokeFromKeyData, AddsAltFromTheKeyDataAndNoShiftStateForKeysWithoutCharacters)
{
    struct Case { WPARAM key; int scan; bool extended; bool alt; uint8_t flags; };
    const Case cases[] = {
        { VK_F1, 0x3B, false, false, 0 },
        { VK_F1, 0x3B, false, true, kKeystrokeAlt },
        { VK_UP, 0x48, true, false, kKeystrokeExtended },
        { VK_DELETE, 0x53, true, true, kKeystrokeExtended | kKeystrokeAlt },
        { VK_CONTROL, 0x1D, false, false, 0 },
    };
    for (const Case& c : cases) {
        CKeystroke keystroke;
        keystroke.m_workingVirtualKey = static_cast<int16_t>(c.key);
        KeystrokeFromKeyData(KeyData(c.scan, c.extended, c.alt), keystroke, true);
        EXPECT_EQ(keystroke.m_flags, c.flags) << c.key;
    }
}

TEST(CKeystroke, GivesTheMacroEventWords)
{
    CKeystroke keystroke;
    keystroke.m_scanCode = 0x48;
    keystroke.m_virtualKey = VK_UP;
    keystroke.m_direction = kKeyDirectionDown;
    keystroke.m_flags = kKeystrokeExtended;
    EXPECT_EQ(keystroke.GetEventValue(), 0x48u | (VK_UP << 16));
    EXPECT_EQ(keystroke.GetEventExtra(), 0x1FFu);
}

TEST(KeystrokeFromRawInput, AcceptsRealKeysOnly)
{
    struct Case { const char* what; USHORT make; USHORT flags; USHORT key; bool accepted; uint8_t direction; };
    const Case cases[] = {
        { "a letter down", 0x1E, RI_KEY_MAKE, 'A', true, kKeyDirectionDown },
        { "a letter up", 0x1E, RI_KEY_BREAK, 'A', true, kKeyDirectionUp },
        { "an E0 arrow", 0x48, RI_KEY_E0, VK_UP, true, kKeyDirectionDown },
        { "the fake shift around E0 keys", 0x2A, RI_KEY_E0, 255, false, kKeyDirectionDown },
        { "pause as an E1 sequence", 0x1D, RI_KEY_E1, VK_PAUSE, false, kKeyDirectionDown },
        { "no make code", 0, RI_KEY_MAKE, 'A', false, kKeyDirectionDown },
    };
    for (const Case& c : cases) {
        CKeystroke keystroke;
        EXPECT_EQ(KeystrokeFromRawInput(keystroke, RawReport(c.make, c.flags, c.key)), c.accepted) << c.what;
        if (c.accepted) {
            EXPECT_EQ(keystroke.m_scanCode, c.make) << c.what;
            EXPECT_EQ(keystroke.m_virtualKey, c.key) << c.what;
            EXPECT_EQ(keystroke.m_direction, c.direction) << c.what;
            EXPECT_EQ(keystroke.m_flags, (c.flags & RI_KEY_E0) ? kKeystrokeExtended : 0) << c.what;
            EXPECT_FALSE(keystroke.m_keyName.IsEmpty()) << c.what;
        }
    }
}

TEST(KeystrokeFromRawInput, KeepsTheLastVirtualKeyWhenTheReportHasNone)
{
    CKeystroke keystroke;
    ASSERT_TRUE(KeystrokeFromRawInput(keystroke, RawReport(0x1E, RI_KEY_MAKE, 'A')));
    EXPECT_TRUE(KeystrokeFromRawInput(keystroke, RawReport(0x1E, RI_KEY_BREAK, 255)));
    EXPECT_EQ(keystroke.m_virtualKey, 'A');
}

TEST(GetKeyDisplayName, NamesKnownScanCodesAndLeavesTheNameOtherwise)
{
    CString name = L"old";
    EXPECT_TRUE(GetKeyDisplayName('A', name, 0x1E, false));
    EXPECT_FALSE(name.IsEmpty());
    EXPECT_NE(name, L"old");
}

TEST_F(RawInputTest, RefusesARegistrationWithoutWindowOrUsages)
{
    CMessageWindow window;
    EXPECT_FALSE(m_devices.Register(window.Get()));
    m_devices.AddUsage(kHidUsageKeyboard);
    EXPECT_FALSE(m_devices.Register(nullptr));
    EXPECT_FALSE(m_devices.IsRegistered());
}

TEST_F(RawInputTest, RegistersOnceUntilUnregistered)
{
    CMessageWindow window;
    m_devices.AddUsage(kHidUsageKeyboard);
    m_devices.AddUsage(kHidUsageMouse);
    m_devices.AddUsage(kHidUsageKeyboard);
    ASSERT_EQ(m_devices.GetUsages().size(), 2u);
    ASSERT_TRUE(m_devices.Register(window.Get()));
    ASSERT_EQ(m_devices.GetDevices().size(), 2u);
    EXPECT_EQ(m_devices.GetDevices()[0].dwFlags, static_cast<DWORD>(RIDEV_INPUTSINK | RIDEV_NOLEGACY));
    EXPECT_EQ(m_devices.GetDevices()[1].dwFlags, static_cast<DWORD>(RIDEV_INPUTSINK));
    EXPECT_EQ(m_devices.GetDevices()[1].usUsagePage, kHidUsagePageGeneric);
    EXPECT_FALSE(m_devices.Register(window.Get()));
    m_devices.Unregister();
    EXPECT_FALSE(m_devices.IsRegistered());
    EXPECT_TRUE(m_devices.GetUsages().empty());
    m_devices.AddUsage(kHidUsageMouse);
    EXPECT_TRUE(m_devices.Register(window.Get()));
    m_devices.Unregister();
}

TEST(CRawInputDevices, AFailedRegistrationLeavesTheListFreeForAnotherAttempt)
{
    CMessageWindow window;
    CRawInputDevices devices(FakeRegistration::Register);
    devices.AddUsage(kHidUsageKeyboard);
    FakeRegistration::failures = 1;
    EXPECT_FALSE(devices.Register(window.Get()));
    EXPECT_TRUE(devices.GetDevices().empty());
    EXPECT_TRUE(devices.Register(window.Get()));
    EXPECT_TRUE(devices.IsRegistered());
    devices.Unregister();
    ASSERT_EQ(FakeRegistration::last.size(), 1u);
    EXPECT_EQ(FakeRegistration::last[0].dwFlags, static_cast<DWORD>(RIDEV_REMOVE));
    EXPECT_EQ(FakeRegistration::last[0].hwndTarget, nullptr);
}

TEST(RawMouseButtons, MapSingleButtonFlagsOnly)
{
    struct Case { USHORT flags; bool found; int button; uint8_t state; };
    const Case cases[] = {
        { RI_MOUSE_BUTTON_1_DOWN, true, 1, 0xFF }, { RI_MOUSE_BUTTON_1_UP, true, 1, 1 },
        { RI_MOUSE_BUTTON_2_DOWN, true, 2, 0xFF }, { RI_MOUSE_BUTTON_3_UP, true, 3, 1 },
        { RI_MOUSE_BUTTON_4_DOWN, true, 4, 0xFF }, { RI_MOUSE_BUTTON_5_UP, true, 5, 1 },
        { RI_MOUSE_BUTTON_1_DOWN | RI_MOUSE_BUTTON_2_DOWN, false, 0, 0 }, { 0, false, 0, 0 },
        { RI_MOUSE_WHEEL, false, 0, 0 },
    };
    for (const Case& c : cases) {
        RawMouseButton result = { -1, 0 };
        EXPECT_EQ(LookupRawMouseButton(c.flags, result), c.found) << c.flags;
        if (c.found) {
            EXPECT_EQ(result.button, c.button) << c.flags;
            EXPECT_EQ(result.state, c.state) << c.flags;
        }
    }
}
