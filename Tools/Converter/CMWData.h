// Classes in this file:
//   CMWData - everything one run converts: the profiles, the active profile and the macros.
#pragma once

#include "CMWMacro.h"
#include "CMWProfile.h"

#include <vector>

class CMWData
{
public:
    static constexpr int kMaxProfiles = 20;
    static constexpr size_t kMaxMacros = 65535;

    // Data members
    std::vector<CMWProfile> m_profiles;
    // Points into m_profiles, or null.
    CMWProfile* m_activeProfile = nullptr;
    std::vector<CMWMacro> m_macros;

    // Makes that many empty profiles, at most 20 (a negative count makes none).
    explicit CMWData(int profileCount);
    CMWData(const CMWData&) = delete;
    CMWData& operator=(const CMWData&) = delete;

    // Attributes
    int GetProfileCount() const { return static_cast<int>(m_profiles.size()); }
    size_t GetMacroCount() const { return m_macros.size(); }
    bool MacrosInitialised() const { return m_macrosInitialised; }

    // Operations
    // Makes the macro array once, with at most 65,535 empty macros; false when it exists.
    bool InitMacros(size_t count);

private:
    bool m_macrosInitialised = false;
};
