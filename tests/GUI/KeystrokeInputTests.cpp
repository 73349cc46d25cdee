// Key messages from real input, turned into keystrokes as the key entry fields do.
#include "CKeystroke.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
std::vector<CKeystroke> g_downs;

LRESULT CALLBACK RecordingProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN) {
        CKeystroke keystroke;
        KeystrokeFromMessage(keystroke, message, wParam, lParam);
        g_downs.push_back(keystroke);
        return 0;
    }
    return DefWindowProcW(wnd, message, wParam, lParam);
}

void SendKey(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
    WindowTest::PumpFor(60);
}
}

TEST(KeystrokeFromMessage, ALetterGetsShiftOnlyWhileShiftIsDown)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KeystrokeRecorder";
    ASSERT_NE(RegisterClassW(&windowClass), 0);
    HWND wnd = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100, nullptr,
        nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(wnd, nullptr);
    ASSERT_TRUE(WindowTest::BringToForeground(wnd));
    g_downs.clear();

    SendKey('A', false);
    SendKey('A', true);
    SendKey(VK_LSHIFT, false);
    SendKey('A', false);
    SendKey('A', true);
    SendKey(VK_LSHIFT, true);
    SendKey('1', false);
    SendKey('1', true);

    ASSERT_EQ(g_downs.size(), 4u) << "A, Shift, Shift+A and 1";
    EXPECT_EQ(g_downs[0].m_flags & kKeystrokeShift, 0) << "a plain letter";
    EXPECT_EQ(g_downs[2].m_flags & kKeystrokeShift, kKeystrokeShift) << "a letter typed with Shift";
    EXPECT_EQ(g_downs[3].m_flags & kKeystrokeShift, 0) << "a plain digit";
    DestroyWindow(wnd);
    UnregisterClassW(windowClass.lpszClassName, windowClass.hInstance);
}
