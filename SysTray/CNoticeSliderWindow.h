// Classes in this file:
//   CNoticeSliderWindow - the notice's level window ("csl_osdslider"), made and placed with
//                         the text window. Only the sensitivity notice would show it, and
//                         the tray makes no sensitivity connection, so it stays hidden.
#pragma once

#include "CWnd.h"

class CNoticeSliderWindow : public CWnd
{
    // Data members
    int m_height = 0;
    int m_labelHeight = 0;

public:
    // Registers the class and makes the hidden window.
    bool Create();

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool OnCreate();
    void Place();
};
