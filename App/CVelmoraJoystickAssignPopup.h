// Classes in this file:
//   CVelmoraJoystickAssignPopup - the joystick popup on the program's own page.
#pragma once

#include "CJoystickAssignPopup.h"

class CVelmoraJoystickAssignPopup : public CJoystickAssignPopup
{
public:
    static constexpr const wchar_t* kPageFile = L"JoystickPopup.xml";

    CVelmoraJoystickAssignPopup(CAssignment* record, CWnd* parent)
        : CJoystickAssignPopup(kPageFile, record, parent)
    {
    }
};
