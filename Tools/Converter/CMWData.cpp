#include "CMWData.h"

#include <algorithm>

CMWData::CMWData(int profileCount)
    : m_profiles(static_cast<size_t>(std::clamp(profileCount, 0, kMaxProfiles)))
{
}

bool CMWData::InitMacros(size_t count)
{
    if (m_macrosInitialised)
        return false;
    m_macros.resize(std::min(count, kMaxMacros));
    m_macrosInitialised = true;
    return true;
}
