#include "WindowTestSupport.h"

namespace WindowTest
{
namespace
{
void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
}

LONG Normalised(LONG value, int extent)
{
    return static_cast<LONG>((static_cast<long long>(value) * 65536 + extent - 1) / extent);
}
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;)
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (done())
            return true;
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    PumpUntil([&] { return ::GetTickCount() - start >= ms; }, ms + 1000);
}

bool MoveMouseTo(POINT screenPoint)
{
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Normalised(screenPoint.x, ::GetSystemMetrics(SM_CXSCREEN)),
        Normalised(screenPoint.y, ::GetSystemMetrics(SM_CYSCREEN)));
    return PumpUntil([&] {
        POINT now = {};
        return ::GetCursorPos(&now) && now.x == screenPoint.x && now.y == screenPoint.y;
    }, 1000);
}

bool ClickAt(HWND wnd, POINT clientPoint)
{
    POINT screen = clientPoint;
    ::ClientToScreen(wnd, &screen);
    if (!MoveMouseTo(screen))
        return false;
    PumpFor(30);
    PressLeftButton();
    PumpFor(30);
    ReleaseLeftButton();
    PumpFor(30);
    return true;
}

void PressLeftButton()
{
    SendMouse(MOUSEEVENTF_LEFTDOWN);
}

void ReleaseLeftButton()
{
    SendMouse(MOUSEEVENTF_LEFTUP);
}

void TapKey(WORD virtualKey)
{
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = virtualKey;
    inputs[0].ki.wScan = static_cast<WORD>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

bool BringToForeground(HWND wnd)
{
    ::SetForegroundWindow(wnd);
    return PumpUntil([&] { return ::GetForegroundWindow() == wnd; }, 2000);
}

COLORREF ScreenPixel(HWND wnd, POINT clientPoint)
{
    POINT screen = clientPoint;
    ::ClientToScreen(wnd, &screen);
    HDC dc = ::GetDC(nullptr);
    if (!dc)
        return CLR_INVALID;
    const COLORREF color = ::GetPixel(dc, screen.x, screen.y);
    ::ReleaseDC(nullptr, dc);
    return color;
}
}
