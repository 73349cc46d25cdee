// Classes in this file:
//   CMouseTracker - asks for WM_MOUSELEAVE and WM_MOUSEHOVER of one window (TrackMouseEvent)
//                   and remembers whether the leave request is pending.
#pragma once

#include <windows.h>

class CMouseTracker
{
    // Data members
    bool m_leaveRequested = false;

public:
    // Attributes
    bool IsTracking() const { return m_leaveRequested; }

    // Operations
    // Asks for WM_MOUSELEAVE and for WM_MOUSEHOVER after the system's hover time, which
    // comes once per request: every mouse move asks again. False when refused.
    bool Track(HWND wnd)
    {
        TRACKMOUSEEVENT request = {};
        request.cbSize = sizeof(request);
        request.hwndTrack = wnd;
        request.dwFlags = TME_LEAVE | TME_HOVER;
        request.dwHoverTime = HOVER_DEFAULT;
        if (!wnd || !::TrackMouseEvent(&request))
            return false;
        m_leaveRequested = true;
        return true;
    }
    // Called on WM_MOUSELEAVE, which ends the request.
    void Reset() { m_leaveRequested = false; }
};
