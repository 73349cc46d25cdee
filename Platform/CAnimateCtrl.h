// Classes in this file:
//   CAnimateCtrl - an animation control playing an AVI clip from the program's resources.
#pragma once

#include "CWnd.h"

#include <commctrl.h>

class CAnimateCtrl : public CWnd
{
public:
    // Operations
    // Registers the control's class first, as the common controls ask.
    bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        INITCOMMONCONTROLSEX classes = { sizeof(classes), ICC_ANIMATE_CLASS };
        if (!::InitCommonControlsEx(&classes))
            return false;
        return CWnd::Create(ANIMATE_CLASSW, nullptr, style, rect, parent, id);
    }
    // Opens a clip by resource name (or MAKEINTRESOURCE id) from the program's module.
    bool Open(const wchar_t* resource)
    {
        return SendMessage(ACM_OPENW, reinterpret_cast<WPARAM>(::GetModuleHandleW(nullptr)),
                   reinterpret_cast<LPARAM>(resource)) != 0;
    }
    // Plays frames from..to (-1: the last) repeat times (-1: endlessly).
    bool Play(UINT from, UINT to, UINT repeat)
    {
        return SendMessage(ACM_PLAY, static_cast<WPARAM>(repeat), MAKELPARAM(from, to)) != 0;
    }
    bool Stop() { return SendMessage(ACM_STOP) != 0; }
    bool Close() { return SendMessage(ACM_OPENW, 0, 0) != 0; }
};
