// Classes in this file:
//   COnScreenNotice - the on-screen notices: a profile's name in large green letters along
//                     the bottom of the primary monitor for two seconds, over every window,
//                     taking neither the focus nor the mouse.
#pragma once

#include "CNoticeSliderWindow.h"
#include "CNoticeTextWindow.h"

#include <windows.h>

class COnScreenNotice
{
    // Data members
    bool m_comInitialised = false;
    CNoticeTextWindow m_text;
    CNoticeSliderWindow m_slider;

public:
    COnScreenNotice() = default;
    ~COnScreenNotice();
    COnScreenNotice(const COnScreenNotice&) = delete;
    COnScreenNotice& operator=(const COnScreenNotice&) = delete;

    // S_OK when both windows exist; COM already initialised on the thread is accepted.
    HRESULT Create();

    // Attributes
    HWND GetTextWindow() const { return m_text.GetSafeHwnd(); }
    HWND GetSliderWindow() const { return m_slider.GetSafeHwnd(); }
    const wchar_t* GetText() const { return m_text.GetText(); }

    // Operations
    // Shows the text (cut to 254 characters) once the window handles the posted request.
    void Show(const wchar_t* text);
};
