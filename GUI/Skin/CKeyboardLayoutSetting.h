// Classes in this file:
//   CKeyboardLayoutSetting - the KBLAYOUT skin element: the keyboard layout and key item
//                            texts of the skin, carried as data.
#pragma once

#include "CGUIItem.h"
#include "CString.h"

class CKeyboardLayoutSetting : public CGUIItem
{
public:
    // Data members
    CString m_layout;
    CString m_items;

    CKeyboardLayoutSetting() = default;
    ~CKeyboardLayoutSetting() override = default;
};
