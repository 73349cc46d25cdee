// Classes in this file:
//   CNoticeTextWindow - the notice's text window ("csl_osd"): a top-most, click-through,
//                       never-activated layered strip whose green background is see-through.
//                       A text shown stays two seconds; a new one restarts the two seconds.
#pragma once

#include "CBrush.h"
#include "CFont.h"
#include "CWnd.h"

class CNoticeTextWindow : public CWnd
{
    // Data members
    // At most 254 characters and the terminator; empty while nothing is shown.
    wchar_t m_text[255] = {};
    CFont m_font;
    CBrush m_background;
    int m_fontHeight = 0;

public:
    static constexpr UINT kShowMessage = WM_USER + 12;
    static constexpr UINT_PTR kHideTimer = 101;
    static constexpr UINT kShowMs = 2000;

    // Registers the class and makes the hidden window.
    bool Create();

    // Attributes
    const wchar_t* GetText() const { return m_text; }
    int GetFontHeight() const { return m_fontHeight; }

    // Operations
    // Takes the text (cut to 254 characters) and asks the window to show it; the caller
    // returns at once.
    void Show(const wchar_t* text);

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool OnCreate();
    void OnShowText();
    void OnPaint();
    void OnHideTimer();
    void Place();
};
