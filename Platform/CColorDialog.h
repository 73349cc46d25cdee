// Classes in this file:
//   CColorDialog - the system colour dialog (ChooseColorW) as a chooser, keeping the
//                  custom colours the user made for the rest of the run.
#pragma once

#include "IColorChooser.h"

#include <commdlg.h>

class CColorDialog : public IColorChooser
{
    // Data members
    COLORREF m_customColors[16] = {};

public:
    CColorDialog();

    // Operations
    bool ChooseColor(HWND owner, COLORREF initial, DWORD flags, COLORREF& chosen) override;

    // The process's one system dialog.
    static CColorDialog& GetSystemDialog();
};
