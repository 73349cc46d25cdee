// Classes in this file:
//   CVelmoraKeymapAssignPopup - the key-map popup on the program's pages: one for the
//                               buttons and one for the scroll wheel's.
#pragma once

#include "CKeymapAssignPopup.h"

class CVelmoraKeymapAssignPopup : public CKeymapAssignPopup
{
public:
    static constexpr const wchar_t* kPageFile = L"KeymapPopup.xml";
    static constexpr const wchar_t* kScrollPageFile = L"KeymapPopupForScroll.xml";

    CVelmoraKeymapAssignPopup(bool scrollButton, CWnd* parent)
        : CKeymapAssignPopup(scrollButton ? kScrollPageFile : kPageFile, parent)
    {
    }
};
