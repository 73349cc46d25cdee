// Classes in this file:
//   CVelmoraMacroAssignmentPopupForScroll - the macro popup of the scroll wheel's buttons:
//                                           a macro plays once or several times.
#pragma once

#include "CVelmoraMacroAssignmentPopup.h"

class CVelmoraMacroAssignmentPopupForScroll : public CVelmoraMacroAssignmentPopup
{
public:
    static constexpr const wchar_t* kScrollPageFile = L"SelectMacroPopupForScroll.xml";

    explicit CVelmoraMacroAssignmentPopupForScroll(CWnd* parent)
        : CVelmoraMacroAssignmentPopup(kScrollPageFile, kPlayMultiple, parent)
    {
    }
};
