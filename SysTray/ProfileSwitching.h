// The profile-switching rule of the foreground poll: the first linked profile, in service
// order, whose application is the foreground program's file becomes active. Application
// names are file names and compare ignoring case, as Windows file names do; a linked
// application stored with a folder never matches.
#pragma once

#include "CString.h"
#include "ProfileSetting.h"

#include <vector>

struct ForegroundPick
{
    // The profile whose application is in the foreground; -1 when none is.
    int index = -1;
    // False when that profile is active already.
    bool activate = false;
};

ForegroundPick PickLinkedProfile(const std::vector<_Profile_Setting_>& settings, const CString& foregroundExe,
    const CString& activeName);
