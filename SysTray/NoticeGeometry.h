// The on-screen notices' window class and where they sit: along the bottom of the primary monitor (its full
// rectangle, not the work area), scaled by the screen's pixels per inch.
#pragma once

#include <windows.h>

// The green that the notice windows fill with and that their layering makes see-through.
constexpr COLORREF kNoticeSeeThrough = RGB(0, 255, 0);
// Top-most, click-through, no taskbar button, layered, never activated.
constexpr DWORD kNoticeExStyle = WS_EX_TOPMOST | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_NOACTIVATE;

// Registers a notice window class once: redrawn when resized, the arrow cursor and the
// see-through green background.
bool RegisterNoticeClass(const wchar_t* className);

// The screen's horizontal pixels per inch over 72 (1.333... on a 96-dpi screen).
float GetNoticeScale();
// The full rectangle of the primary monitor; the screen's size when it cannot be read.
RECT GetPrimaryMonitorRect();

// The text strip: the monitor's width less 10 pixels, one font height high, ending 50
// pixels above the monitor's bottom edge.
RECT GetNoticeTextRect(const RECT& monitor, int fontHeight);
// The level window: 119 pixels wide, 10 pixels from the right edge, its bottom a label's
// height and 60 pixels above the monitor's bottom edge.
RECT GetNoticeSliderRect(const RECT& monitor, int labelHeight, int height);
