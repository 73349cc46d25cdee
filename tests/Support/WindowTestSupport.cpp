#include "WindowTestSupport.h"

#include <tlhelp32.h>

namespace WindowTest
{
void EndProcesses(const wchar_t* exeName)
{
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry))
    {
        if (::lstrcmpiW(entry.szExeFile, exeName) != 0)
            continue;
        HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (!process)
            continue;
        ::TerminateProcess(process, 1);
        ::WaitForSingleObject(process, 5000);
        ::CloseHandle(process);
    }
    ::CloseHandle(snapshot);
}

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

bool SaveScreenshot(const wchar_t* path)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    info.biSizeImage = stride * static_cast<DWORD>(height);
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    if (!screen)
        return false;
    HBITMAP bitmap = ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = ::CreateCompatibleDC(screen);
    bool copied = false;
    if (bitmap && memory)
    {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        copied = ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != FALSE;
        ::SelectObject(memory, old);
    }
    bool written = false;
    if (copied)
    {
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(file) + sizeof(info);
        file.bfSize = file.bfOffBits + info.biSizeImage;
        HANDLE out = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (out != INVALID_HANDLE_VALUE)
        {
            DWORD done = 0;
            written = ::WriteFile(out, &file, sizeof(file), &done, nullptr) && ::WriteFile(out, &info, sizeof(info), &done, nullptr) &&
                ::WriteFile(out, bits, info.biSizeImage, &done, nullptr);
            ::CloseHandle(out);
        }
    }
    if (memory)
        ::DeleteDC(memory);
    if (bitmap)
        ::DeleteObject(bitmap);
    ::ReleaseDC(nullptr, screen);
    return written;
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
