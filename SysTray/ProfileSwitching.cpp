#include "ProfileSwitching.h"

ForegroundPick PickLinkedProfile(const std::vector<_Profile_Setting_>& settings, const CString& foregroundExe,
    const CString& activeName)
{
    ForegroundPick pick;
    if (foregroundExe.IsEmpty())
        return pick;
    for (size_t i = 0; i < settings.size(); ++i)
    {
        const _Profile_Setting_& setting = settings[i];
        if (setting.linked == 0 || setting.application.CompareNoCase(foregroundExe) != 0)
            continue;
        pick.index = static_cast<int>(i);
        pick.activate = setting.name.Compare(activeName) != 0;
        return pick;
    }
    return pick;
}
