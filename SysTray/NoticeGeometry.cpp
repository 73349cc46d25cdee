#include "NoticeGeometry.h"

namespace
{
constexpr float kPointsPerInch = 72.0f;
constexpr int kTextRightMargin = 10;
constexpr int kTextBottomMargin = 50;
constexpr int kSliderWidth = 119;
constexpr int kSliderRightMargin = 10;
constexpr int kSliderBottomMargin = 60;
}

float GetNoticeScale()
{
    HDC screen = ::GetDC(nullptr);
    if (!screen)
        return 96.0f / kPointsPerInch;
    const int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return static_cast<float>(pixelsPerInch) / kPointsPerInch;
}

RECT GetPrimaryMonitorRect()
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    const POINT origin = { 0, 0 };
    if (::GetMonitorInfoW(::MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &info))
        return info.rcMonitor;
    return RECT{ 0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN) };
}

RECT GetNoticeTextRect(const RECT& monitor, int fontHeight)
{
    const int top = monitor.bottom - fontHeight - kTextBottomMargin;
    return RECT{ monitor.left, top, monitor.right - kTextRightMargin, top + fontHeight };
}

RECT GetNoticeSliderRect(const RECT& monitor, int labelHeight, int height)
{
    const int left = monitor.right - kSliderWidth - kSliderRightMargin;
    const int top = monitor.bottom - labelHeight - height - kSliderBottomMargin;
    return RECT{ left, top, left + kSliderWidth, top + height };
}

bool RegisterNoticeClass(const wchar_t* className)
{
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW info = {};
    if (::GetClassInfoExW(instance, className, &info))
        return true;
    info.cbSize = sizeof(info);
    info.style = CS_HREDRAW | CS_VREDRAW;
    info.lpfnWndProc = ::DefWindowProcW;
    info.hInstance = instance;
    info.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    // The class's brush is the system's for the class's life: it is never deleted.
    info.hbrBackground = ::CreateSolidBrush(kNoticeSeeThrough);
    info.lpszClassName = className;
    return ::RegisterClassExW(&info) != 0;
}
