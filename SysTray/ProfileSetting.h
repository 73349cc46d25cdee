// The tray's record of one stored profile: its name, the application linked to it and the
// three flags of its flag word.
#pragma once

#include "CString.h"

struct _Profile_Setting_
{
    CString name;
    // The executable file name the profile is linked to, as the service stores it.
    CString application;
    int linked = 0;
    int dpiNotice = 0;
    int profileNotice = 0;
};
