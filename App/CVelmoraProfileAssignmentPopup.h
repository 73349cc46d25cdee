// Classes in this file:
//   CVelmoraProfileAssignmentPopup - the popup that chooses the profile a button switches to.
#pragma once

#include "CDropdownSelectPopup.h"

class CVelmoraProfileAssignmentPopup : public CDropdownSelectPopup
{
public:
    static constexpr const wchar_t* kPageFile = L"SelectProfilePopup.xml";

    explicit CVelmoraProfileAssignmentPopup(CWnd* parent) : CDropdownSelectPopup(kPageFile, parent) {}
};
