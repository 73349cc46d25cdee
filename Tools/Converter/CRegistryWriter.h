// Classes in this file:
//   CRegistryWriter - writes the converted model into the device service's registry store:
//                     macros, profiles with their key maps, application links, the active
//                     profile and the device record.
#pragma once

#include "CMWData.h"
#include "CMessageLog.h"
#include "CRegistryKey.h"

#include "CString.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

// A new GUID from CoCreateGuid; false when none could be made.
bool MakeNewGuid(GUID& guid);

class CRegistryWriter
{
public:
    using NewGuidFunc = std::function<bool(GUID&)>;
    enum class Result { Written, NoActiveProfile, Failed };

    static const GUID kProductGuid;
    static const GUID kDeviceRecordGuid;
    static const GUID kDefaultProfileGuid;
    static const GUID kProfileBaseGuid;
    static const GUID kKeymapGuids[CMWProfile::kKeymapCount];

    static constexpr size_t kDeviceValueBytes = 366;
    static constexpr size_t kProfileValueBytes = 356;
    static constexpr size_t kProfileExValueBytes = 154;
    static constexpr int kProfileNameUnits = 40;
    static constexpr int kApplicationUnits = 128;

    // The store goes below root\storePath ("SOFTWARE\KAVRO" for the device service).
    CRegistryWriter(HKEY root, const CString& storePath, CMessageLog& log, NewGuidFunc newGuid = MakeNewGuid);

    // Gives every profile, macro and application link its GUID, links the assignments and
    // writes everything; each failure is printed as an "ERROR!" line.
    Result Write(CMWData& data);

    // The binary values, laid out as the service reads them.
    static std::vector<uint8_t> MakeDeviceValue(const CMWData& data);
    static std::vector<uint8_t> MakeProfileValue(const CString& name, const CString& application, const GUID& guid,
        bool switchFlag);
    static std::vector<uint8_t> MakeProfileExValue(const CMWProfile& profile);
    static std::vector<uint8_t> MakeMacroData(const CMWMacro& macro);
    static uint8_t LedBrightness(int brightness);
    // True when the entry's current assignment is its position's own default: such an
    // entry is not written.
    static bool IsDefaultAssignment(const CMWEntry& entry);

private:
    // Implementation
    Result WriteStore(CMWData& data);
    bool OpenStore();
    bool AssignGuids(CMWData& data);
    bool LinkAssignment(const CMWData& data, CMWAssignment& assignment);
    bool WriteApplicationLink(const CString& path, GUID& guid);
    void WriteMacro(const CMWMacro& macro);
    void WriteProfile(const CMWProfile& profile);
    bool WriteKeymap(const CRegistryKey& subProfiles, const CString& subProfilesPath, const CMWKeymap& keymap,
        int index);
    bool Check(LSTATUS status, const CString& path, const wchar_t* value = nullptr);
    bool OpenKey(CRegistryKey& key, HKEY parent, const CString& parentPath, const CString& name, CString& path);

    // Data members
    HKEY m_root;
    CString m_storePath;
    CMessageLog& m_log;
    NewGuidFunc m_newGuid;
    bool m_failed = false;
    CRegistryKey m_productKey;
    CRegistryKey m_profilesKey;
    CRegistryKey m_appDataKey;
    CRegistryKey m_macrosKey;
    CString m_productPath;
};
