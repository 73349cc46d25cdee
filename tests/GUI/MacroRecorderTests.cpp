// The recording rules over decoded raw reports, with a clock and a capture query of the
// test's own.
#include "CMacroRecorder.h"
#include "CRawInputDevices.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
RAWKEYBOARD Key(USHORT makeCode, USHORT virtualKey, bool up, bool extended = false)
{
    RAWKEYBOARD report = {};
    report.MakeCode = makeCode;
    report.VKey = virtualKey;
    report.Flags = static_cast<USHORT>((up ? RI_KEY_BREAK : 0) | (extended ? RI_KEY_E0 : 0));
    report.Message = up ? WM_KEYUP : WM_KEYDOWN;
    return report;
}

RAWMOUSE Mouse(USHORT buttonFlags)
{
    RAWMOUSE report = {};
    report.usButtonFlags = buttonFlags;
    return report;
}

// A recorder over a list of its own: what each report adds is appended, as the list does.
class RecorderTest : public testing::Test
{
protected:
    uint32_t m_now = 1000;
    HWND m_capture = nullptr;
    CMacroRecorder m_recorder{ [this] { return m_now; }, [this] { return m_capture; } };
    std::vector<CMacroEvent> m_events;

    void Feed(const RAWKEYBOARD& report)
    {
        for (const CMacroEvent& event : m_recorder.OnRawKeyboard(report, m_events.empty()))
            m_events.push_back(event);
    }
    void Feed(const RAWMOUSE& report)
    {
        for (const CMacroEvent& event : m_recorder.OnRawMouse(report, m_events.empty()))
            m_events.push_back(event);
    }
    std::vector<CMacroEvent> OfType(int32_t type) const
    {
        std::vector<CMacroEvent> found;
        for (const CMacroEvent& event : m_events)
            if (event.type == type)
                found.push_back(event);
        return found;
    }
};
}

TEST_F(RecorderTest, FirstEventHasNoDelayAndLaterOnesTheMeasuredTime)
{
    Feed(Key(0x1E, 'A', false));
    m_now += 250;
    Feed(Key(0x1E, 'A', true));
    m_now += 40;
    Feed(Mouse(RI_MOUSE_LEFT_BUTTON_DOWN));

    ASSERT_EQ(m_events.size(), 5u);
    EXPECT_EQ(m_events[0].type, CMacroEvent::kKeystroke);
    EXPECT_EQ(m_events[0].value, 0x1E | ('A' << 16));
    EXPECT_EQ(m_events[0].extra, CMacroEvent::kKeyDown);
    EXPECT_EQ(m_events[1].type, CMacroEvent::kDelay);
    EXPECT_EQ(m_events[1].value, 250);
    EXPECT_EQ(m_events[1].extra, 250);
    EXPECT_EQ(m_events[2].extra, CMacroEvent::kKeyUp);
    EXPECT_EQ(m_events[3].value, 40);
    EXPECT_EQ(m_events[4].type, CMacroEvent::kMouseButton);
    EXPECT_EQ(m_events[4].value, 1);
    EXPECT_EQ(m_events[4].extra, 0xFF);
}

TEST_F(RecorderTest, IgnoreDelaysRecordsNoDelayAtAll)
{
    m_recorder.SetIgnoreDelays(true);
    Feed(Key(0x1E, 'A', false));
    m_now += 500;
    Feed(Key(0x1E, 'A', true));
    Feed(Mouse(RI_MOUSE_RIGHT_BUTTON_DOWN));
    Feed(Mouse(RI_MOUSE_RIGHT_BUTTON_UP));
    EXPECT_EQ(m_events.size(), 4u);
    EXPECT_TRUE(OfType(CMacroEvent::kDelay).empty());
}

TEST_F(RecorderTest, DefaultDelayStandsForEveryMeasuredPause)
{
    m_recorder.SetUseDefaultDelay(true);
    m_recorder.SetDefaultDelay(75);
    Feed(Key(0x1E, 'A', false));
    m_now += 3000;
    Feed(Key(0x1E, 'A', true));
    m_now += 10;
    Feed(Key(0x30, 'B', false));
    const std::vector<CMacroEvent> delays = OfType(CMacroEvent::kDelay);
    ASSERT_EQ(delays.size(), 2u);
    EXPECT_EQ(delays[0].value, 75);
    EXPECT_EQ(delays[1].value, 75);
}

TEST_F(RecorderTest, MeasuredPausesAreCappedAndSurviveTheTickCountWrapping)
{
    struct Case
    {
        const char* what;
        uint32_t first;
        uint32_t second;
        int32_t delay;
    };
    const Case cases[] = {
        { "just under the cap", 0, 0xFFFFFE, 0xFFFFFE },
        { "exactly the cap", 0, 0xFFFFFF, 0xFFFFFF },
        { "one more than the cap", 0, 0x1000000, 0xFFFFFF },
        { "hours", 0, 0x7FFFFFFF, 0xFFFFFF },
        { "across the wrap of the tick count", 0xFFFFFF00, 0x100, 0x200 },
    };
    for (const Case& test : cases)
    {
        m_events.clear();
        m_now = test.first;
        Feed(Key(0x1E, 'A', false));
        m_now = test.second;
        Feed(Key(0x1E, 'A', true));
        ASSERT_EQ(m_events.size(), 3u) << test.what;
        EXPECT_EQ(m_events[1].value, test.delay) << test.what;
    }
}

TEST_F(RecorderTest, AutoRepeatRecordsOneDownAndOneUp)
{
    m_recorder.SetIgnoreDelays(true);
    for (int repeat = 0; repeat < 5; ++repeat)
        Feed(Key(0x1E, 'A', false));
    Feed(Key(0x1E, 'A', true));
    ASSERT_EQ(m_events.size(), 2u);
    EXPECT_EQ(m_events[0].extra, CMacroEvent::kKeyDown);
    EXPECT_EQ(m_events[1].extra, CMacroEvent::kKeyUp);
    EXPECT_EQ(m_recorder.GetHeldKeyCount(), 0u);
    Feed(Key(0x1E, 'A', false));
    EXPECT_EQ(m_events.size(), 3u) << "after the release a press records again";
}

TEST_F(RecorderTest, KeysSharingAMakeCodeHeldAtOnceRecordEveryDownAndUp)
{
    // Each pair: the same make code with and without E0, pressed together and released.
    struct Pair
    {
        const char* what;
        USHORT makeCode;
        USHORT plainKey;
        USHORT extendedKey;
    };
    const Pair pairs[] = {
        { "Left and Right Ctrl", 0x1D, VK_CONTROL, VK_CONTROL },
        { "Left and Right Alt", 0x38, VK_MENU, VK_MENU },
        { "keypad 8 and Up", 0x48, VK_NUMPAD8, VK_UP },
        { "keypad 4 and Left", 0x4B, VK_NUMPAD4, VK_LEFT },
        { "Enter and keypad Enter", 0x1C, VK_RETURN, VK_RETURN },
    };
    m_recorder.SetIgnoreDelays(true);
    for (const Pair& pair : pairs)
    {
        m_events.clear();
        Feed(Key(pair.makeCode, pair.plainKey, false));
        Feed(Key(pair.makeCode, pair.extendedKey, false, true));
        Feed(Key(pair.makeCode, pair.plainKey, true));
        Feed(Key(pair.makeCode, pair.extendedKey, true, true));
        ASSERT_EQ(m_events.size(), 4u) << pair.what;
        const int32_t extended = CMacroEvent::kExtendedKey;
        EXPECT_EQ(m_events[0].extra, CMacroEvent::kKeyDown) << pair.what;
        EXPECT_EQ(m_events[1].extra, CMacroEvent::kKeyDown | extended) << pair.what;
        EXPECT_EQ(m_events[2].extra, CMacroEvent::kKeyUp) << pair.what;
        EXPECT_EQ(m_events[3].extra, CMacroEvent::kKeyUp | extended) << pair.what;
        EXPECT_EQ(m_recorder.GetHeldKeyCount(), 0u) << pair.what;
    }
}

TEST_F(RecorderTest, FakeShiftAroundAnExtendedKeyHidesNoLeftShift)
{
    m_recorder.SetIgnoreDelays(true);
    // With Num Lock on an arrow comes wrapped in a fake shift (E0 2A, no virtual key); the
    // left Shift pressed meanwhile shares its make code.
    Feed(Key(0x2A, 0xFF, false, true));
    Feed(Key(0x48, VK_UP, false, true));
    Feed(Key(0x2A, VK_SHIFT, false));
    Feed(Key(0x2A, VK_SHIFT, true));
    Feed(Key(0x48, VK_UP, true, true));
    Feed(Key(0x2A, 0xFF, true, true));
    // And the other way round: the fake release while Shift is held, then its repeat.
    Feed(Key(0x2A, VK_SHIFT, false));
    Feed(Key(0x2A, 0xFF, true, true));
    Feed(Key(0x2A, VK_SHIFT, false));
    Feed(Key(0x2A, VK_SHIFT, true));

    ASSERT_EQ(m_events.size(), 6u) << "Up down, Shift down, Shift up, Up up, Shift down, Shift up";
    EXPECT_EQ(m_events[0].value & 0xFFFF, 0x48);
    EXPECT_EQ(m_events[1].value & 0xFFFF, 0x2A);
    EXPECT_EQ(m_events[1].extra, CMacroEvent::kKeyDown);
    EXPECT_EQ(m_events[2].extra, CMacroEvent::kKeyUp);
    EXPECT_EQ(m_events[3].value & 0xFFFF, 0x48);
    EXPECT_EQ(m_events[4].extra, CMacroEvent::kKeyDown);
    EXPECT_EQ(m_events[5].extra, CMacroEvent::kKeyUp);
    EXPECT_EQ(m_recorder.GetHeldKeyCount(), 0u);
}

TEST_F(RecorderTest, RefusedReportsNeitherRecordNorTouchTheHeldKeys)
{
    m_recorder.SetIgnoreDelays(true);
    Feed(Key(0x1E, 'A', false));
    Feed(Key(0, 'A', true));
    RAWKEYBOARD pause = Key(0x1D, VK_PAUSE, false);
    pause.Flags |= RI_KEY_E1;
    m_events.clear();
    Feed(pause);
    EXPECT_TRUE(m_events.empty());
    Feed(Key(0x1E, 'A', false));
    EXPECT_TRUE(m_events.empty()) << "A is still held: a zero make code released nothing";
}

TEST_F(RecorderTest, ClickWhileTheExemptWindowHoldsTheCaptureIsNotRecorded)
{
    HWND exempt = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
    HWND other = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x5678));
    m_recorder.SetIgnoreDelays(true);
    m_recorder.SetExemptWindow(exempt);
    m_capture = exempt;
    Feed(Mouse(RI_MOUSE_LEFT_BUTTON_DOWN));
    Feed(Mouse(RI_MOUSE_LEFT_BUTTON_UP));
    EXPECT_TRUE(m_events.empty());
    m_capture = other;
    Feed(Mouse(RI_MOUSE_LEFT_BUTTON_DOWN));
    m_capture = nullptr;
    Feed(Mouse(RI_MOUSE_LEFT_BUTTON_UP));
    m_recorder.SetExemptWindow(nullptr);
    m_capture = exempt;
    Feed(Mouse(RI_MOUSE_MIDDLE_BUTTON_DOWN));
    ASSERT_EQ(m_events.size(), 3u) << "recorded while another or no window holds the capture, or with no exempt window";
    EXPECT_EQ(m_events[2].value, 3);
}

TEST_F(RecorderTest, MouseReportsWithoutExactlyOneButtonChangeAreIgnored)
{
    m_recorder.SetIgnoreDelays(true);
    Feed(Mouse(0));
    Feed(Mouse(RI_MOUSE_LEFT_BUTTON_DOWN | RI_MOUSE_RIGHT_BUTTON_DOWN));
    Feed(Mouse(RI_MOUSE_WHEEL));
    EXPECT_TRUE(m_events.empty());
    Feed(Mouse(RI_MOUSE_BUTTON_5_UP));
    ASSERT_EQ(m_events.size(), 1u);
    EXPECT_EQ(m_events[0].value, 5);
    EXPECT_EQ(m_events[0].extra, 1);
}

TEST(RawInputReaders, AHandleThatIsNoRawInputReadsNothing)
{
    RAWKEYBOARD keyboard = {};
    RAWMOUSE mouse = {};
    EXPECT_FALSE(ReadRawKeyboardReport(0, keyboard));
    EXPECT_FALSE(ReadRawMouseReport(0x12345, mouse));
}
