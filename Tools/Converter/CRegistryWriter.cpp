#include "CRegistryWriter.h"

#include "ConversionTables.h"
#include "GuidText.h"

#include <objbase.h>

#include <algorithm>
#include <cstring>

namespace
{
void PutU16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value)
{
    memcpy(bytes.data() + offset, &value, sizeof(value));
}

void PutU32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value)
{
    memcpy(bytes.data() + offset, &value, sizeof(value));
}

void PutGuid(std::vector<uint8_t>& bytes, size_t offset, const GUID& guid)
{
    memcpy(bytes.data() + offset, &guid, sizeof(guid));
}

// A zero-padded UTF-16 field of that many units; the text keeps one unit for its terminator.
void PutText(std::vector<uint8_t>& bytes, size_t offset, const CString& text, int units)
{
    int length = std::min(text.GetLength(), units - 1);
    memcpy(bytes.data() + offset, text.GetString(), static_cast<size_t>(length) * sizeof(wchar_t));
}

CString ValueNameOf(uint32_t id)
{
    return FormatString(L"%08x", id);
}
}

const GUID CRegistryWriter::kProductGuid =
    { 0x64F99A81, 0xD604, 0x4235, { 0x9B, 0x6F, 0x7C, 0xDB, 0xD3, 0x77, 0xA7, 0xA1 } };
const GUID CRegistryWriter::kDeviceRecordGuid =
    { 0x232EFC9F, 0x25A8, 0x47C7, { 0xA7, 0x98, 0x45, 0x1F, 0x3C, 0x29, 0x46, 0xDE } };
const GUID CRegistryWriter::kDefaultProfileGuid =
    { 0x232EFC9F, 0x25A8, 0x47C7, { 0xA7, 0x98, 0x45, 0x1F, 0x3C, 0x29, 0x46, 0xDF } };
const GUID CRegistryWriter::kProfileBaseGuid =
    { 0x0C77BEC4, 0x3C42, 0x44B9, { 0x8B, 0x72, 0x77, 0x6E, 0x69, 0xC8, 0xDE, 0x64 } };
const GUID CRegistryWriter::kKeymapGuids[CMWProfile::kKeymapCount] = {
    { 0x0C77BEC4, 0x3C42, 0x44B9, { 0x8B, 0x72, 0x77, 0x6E, 0x69, 0xC8, 0xDE, 0x65 } },
    { 0x66F71A64, 0xFE7C, 0x4450, { 0x9F, 0x8A, 0xB7, 0x51, 0xEF, 0xB6, 0x06, 0xF4 } },
    { 0xCA20C196, 0xAE8B, 0x4E16, { 0xA1, 0x92, 0x9C, 0x48, 0xDE, 0xD4, 0x76, 0x3A } },
    { 0x4E56A66D, 0x0B1F, 0x4D50, { 0xAA, 0x2A, 0x5B, 0xD1, 0xB4, 0xD0, 0xA8, 0x3D } },
    { 0x3D07C0A2, 0x30B9, 0x4567, { 0x87, 0x0C, 0xAF, 0xF2, 0x73, 0x77, 0x02, 0xB1 } },
    { 0xFEFA0F0A, 0xBDF0, 0x46FA, { 0x81, 0x49, 0x4D, 0x92, 0x67, 0xDA, 0x2D, 0x87 } },
    { 0xB9D53EFB, 0xAC3C, 0x42DA, { 0x81, 0x8A, 0xCB, 0x2A, 0x9E, 0xC4, 0xEA, 0xDC } },
    { 0xD2616A64, 0xD2E7, 0x44D6, { 0xBA, 0x17, 0x8E, 0xB8, 0xE5, 0xCD, 0xB4, 0x16 } },
};

bool MakeNewGuid(GUID& guid)
{
    return SUCCEEDED(CoCreateGuid(&guid));
}

CRegistryWriter::CRegistryWriter(HKEY root, const CString& storePath, CMessageLog& log, NewGuidFunc newGuid)
    : m_root(root), m_storePath(storePath), m_log(log), m_newGuid(std::move(newGuid))
{
}

bool CRegistryWriter::Check(LSTATUS status, const CString& path, const wchar_t* value)
{
    if (status == ERROR_SUCCESS)
        return true;
    m_failed = true;
    if (value)
        m_log.Print(L"ERROR! Registry value %s\\%s could not be written (error %d)\n", path.GetString(), value,
            static_cast<int>(status));
    else
        m_log.Print(L"ERROR! Registry key %s could not be opened or created (error %d)\n", path.GetString(),
            static_cast<int>(status));
    return false;
}

bool CRegistryWriter::OpenKey(CRegistryKey& key, HKEY parent, const CString& parentPath, const CString& name,
    CString& path)
{
    path = parentPath + L"\\" + name;
    return Check(key.OpenOrCreate(parent, name), path);
}

bool CRegistryWriter::OpenStore()
{
    CRegistryKey store;
    if (!Check(store.OpenOrCreate(m_root, m_storePath), m_storePath))
        return false;
    CRegistryKey version;
    CString versionPath;
    if (!OpenKey(version, store.Get(), m_storePath, L"0.01", versionPath))
        return false;
    if (!OpenKey(m_productKey, version.Get(), versionPath, GuidToString(kProductGuid), m_productPath))
        return false;
    CString path;
    return OpenKey(m_profilesKey, m_productKey.Get(), m_productPath, L"Profiles", path)
        && OpenKey(m_appDataKey, m_productKey.Get(), m_productPath, L"AppData", path)
        && OpenKey(m_macrosKey, m_productKey.Get(), m_productPath, L"Macros", path);
}

CRegistryWriter::Result CRegistryWriter::Write(CMWData& data)
{
    m_failed = false;
    Result result = WriteStore(data);
    m_macrosKey.Close();
    m_appDataKey.Close();
    m_profilesKey.Close();
    m_productKey.Close();
    return result;
}

CRegistryWriter::Result CRegistryWriter::WriteStore(CMWData& data)
{
    if (!OpenStore() || !AssignGuids(data))
        return Result::Failed;
    for (const CMWMacro& macro : data.m_macros) {
        if (macro.HasWrittenEvents())
            WriteMacro(macro);
    }
    if (data.m_profiles.empty()) {
        m_log.Print(L"ERROR! No profiles to write\n");
        return Result::Failed;
    }
    for (const CMWProfile& profile : data.m_profiles)
        WriteProfile(profile);
    if (!data.m_activeProfile) {
        m_log.Print(L"WARNING: No active profile - the active profile and the device record were not written\n");
        return m_failed ? Result::Failed : Result::NoActiveProfile;
    }
    CString profilesPath = m_productPath + L"\\Profiles";
    Check(m_profilesKey.SetString(L"ActiveProfile", GuidToString(data.m_activeProfile->m_guid)), profilesPath,
        L"ActiveProfile");
    std::vector<uint8_t> device = MakeDeviceValue(data);
    Check(m_productKey.SetBinary(L"Device", device.data(), device.size()), m_productPath, L"Device");
    return m_failed ? Result::Failed : Result::Written;
}

bool CRegistryWriter::AssignGuids(CMWData& data)
{
    bool defaultTaken = false;
    for (CMWProfile& profile : data.m_profiles) {
        // Only one profile can own the fixed GUID; a second "Default" gets a GUID of its own.
        if (!defaultTaken && profile.GetName() == L"Default") {
            profile.m_guid = kDefaultProfileGuid;
            defaultTaken = true;
        } else if (!m_newGuid(profile.m_guid)) {
            m_log.Print(L"ERROR! No GUID could be made for profile %s\n", profile.GetName().GetString());
            return false;
        }
    }
    for (CMWMacro& macro : data.m_macros) {
        if (!m_newGuid(macro.m_guid)) {
            m_log.Print(L"ERROR! No GUID could be made for macro %s\n", macro.m_name.GetString());
            return false;
        }
    }
    for (CMWProfile& profile : data.m_profiles) {
        for (auto& keymap : profile.m_keymaps) {
            if (!keymap)
                continue;
            for (CMWEntry& entry : keymap->m_entries) {
                if (!LinkAssignment(data, entry.current))
                    return false;
            }
        }
    }
    return true;
}

bool CRegistryWriter::LinkAssignment(const CMWData& data, CMWAssignment& assignment)
{
    switch (assignment.GetType()) {
    case CMWAssignment::kMacro:
        for (const CMWMacro& macro : data.m_macros) {
            if (macro.m_name == assignment.m_text) {
                assignment.SetPayloadGuid(0, macro.m_guid);
                break;
            }
        }
        return true;
    case CMWAssignment::kProfileSwitch:
        if (assignment.GetPayloadU32(0) != CMWAssignment::kSwitchToProfile)
            return true;
        for (const CMWProfile& profile : data.m_profiles) {
            if (profile.GetName() == assignment.m_text) {
                assignment.SetPayloadGuid(CMWAssignment::kGuidAtEnd, profile.m_guid);
                break;
            }
        }
        return true;
    case CMWAssignment::kKeymapFunction: {
        uint32_t mode = assignment.GetPayloadU32(0);
        if (mode != CMWAssignment::kKeymapSwitch && mode != CMWAssignment::kKeymapSwitchLatched)
            return true;
        for (int k = 0; k < CMWProfile::kKeymapCount; ++k) {
            if (assignment.m_text == KeymapName(k))
                assignment.SetPayloadGuid(CMWAssignment::kGuidAtEnd, kKeymapGuids[k]);
        }
        return true;
    }
    case CMWAssignment::kLaunch: {
        if (assignment.m_text.IsEmpty())
            return true;
        GUID link = GUID_NULL;
        if (!WriteApplicationLink(assignment.m_text, link))
            return false;
        assignment.SetPayloadGuid(0, link);
        return true;
    }
    default:
        return true;
    }
}

bool CRegistryWriter::WriteApplicationLink(const CString& path, GUID& guid)
{
    if (!m_newGuid(guid)) {
        m_log.Print(L"ERROR! No GUID could be made for application %s\n", path.GetString());
        return false;
    }
    CRegistryKey link;
    CString linkPath;
    if (!OpenKey(link, m_appDataKey.Get(), m_productPath + L"\\AppData", GuidToString(guid), linkPath))
        return true;
    Check(link.SetBinary(L"Data", path.GetString(), (static_cast<size_t>(path.GetLength()) + 1) * sizeof(wchar_t)),
        linkPath, L"Data");
    return true;
}

void CRegistryWriter::WriteMacro(const CMWMacro& macro)
{
    CRegistryKey key;
    CString path;
    if (!OpenKey(key, m_macrosKey.Get(), m_productPath + L"\\Macros", GuidToString(macro.m_guid), path))
        return;
    std::vector<uint8_t> events = MakeMacroData(macro);
    Check(key.SetBinary(L"Id", &macro.m_guid, sizeof(macro.m_guid)), path, L"Id")
        && Check(key.SetString(L"Name", macro.m_name), path, L"Name")
        && Check(key.SetBinary(L"Data", events.data(), events.size()), path, L"Data");
}

void CRegistryWriter::WriteProfile(const CMWProfile& profile)
{
    CString profilesPath = m_productPath + L"\\Profiles";
    CString guidText = GuidToString(profile.m_guid);
    // A profile written by an earlier run (the fixed "Default" one) must not keep stale values.
    LSTATUS cleared = RegDeleteTreeW(m_profilesKey.Get(), guidText);
    if (cleared != ERROR_FILE_NOT_FOUND && !Check(cleared, profilesPath + L"\\" + guidText))
        return;
    CRegistryKey key;
    CString path;
    if (!OpenKey(key, m_profilesKey.Get(), profilesPath, guidText, path))
        return;
    CRegistryKey buttons;
    CRegistryKey keys;
    CRegistryKey subProfiles;
    CString buttonsPath;
    CString keysPath;
    CString subProfilesPath;
    if (!OpenKey(buttons, key.Get(), path, L"BUTTONS", buttonsPath) || !OpenKey(keys, key.Get(), path, L"KEYS", keysPath)
        || !OpenKey(subProfiles, key.Get(), path, L"SubProfiles", subProfilesPath))
        return;
    buttons.Close();
    keys.Close();
    for (int k = 0; k < CMWProfile::kKeymapCount; ++k) {
        if (!profile.m_keymaps[k] || !WriteKeymap(subProfiles, subProfilesPath, *profile.m_keymaps[k], k))
            break;
    }
    subProfiles.Close();
    int active = profile.GetActiveKeymapIndex();
    if (active >= 0)
        Check(key.SetString(L"ActiveSubProfile", GuidToString(kKeymapGuids[active])), path, L"ActiveSubProfile");
    const uint8_t led = 1;
    const uint8_t brightness = LedBrightness(profile.m_brightness);
    std::vector<uint8_t> record = MakeProfileValue(profile.GetName(), profile.GetApplication(), profile.m_guid,
        profile.m_switchFlag);
    std::vector<uint8_t> extra = MakeProfileExValue(profile);
    Check(key.SetBinary(L"Led", &led, sizeof(led)), path, L"Led");
    Check(key.SetBinary(L"LedBrightness", &brightness, sizeof(brightness)), path, L"LedBrightness");
    Check(key.SetString(L"Name", profile.GetName()), path, L"Name");
    Check(key.SetBinary(L"Profile", record.data(), record.size()), path, L"Profile");
    Check(key.SetBinary(L"ProfileEx", extra.data(), extra.size()), path, L"ProfileEx");
}

bool CRegistryWriter::WriteKeymap(const CRegistryKey& subProfiles, const CString& subProfilesPath,
    const CMWKeymap& keymap, int index)
{
    CRegistryKey key;
    CString path;
    if (!OpenKey(key, subProfiles.Get(), subProfilesPath, GuidToString(kKeymapGuids[index]), path))
        return false;
    CString name = KeymapName(index);
    std::vector<uint8_t> record = MakeProfileValue(name, CString(), kKeymapGuids[index], false);
    if (!Check(key.SetBinary(L"SubProfile", record.data(), record.size()), path, L"SubProfile")
        || !Check(key.SetString(L"Name", name), path, L"Name"))
        return false;
    CRegistryKey buttons;
    CRegistryKey keys;
    CString buttonsPath;
    CString keysPath;
    if (!OpenKey(buttons, key.Get(), path, L"BUTTONS", buttonsPath) || !OpenKey(keys, key.Get(), path, L"KEYS", keysPath))
        return false;
    for (const CMWEntry& entry : keymap.m_entries) {
        if (entry.kind == CMWEntry::kNone || IsDefaultAssignment(entry))
            continue;
        bool isButton = entry.kind == CMWEntry::kButton;
        CString valueName = ValueNameOf(entry.id);
        CRegistryKey& target = isButton ? buttons : keys;
        Check(target.SetBinary(valueName, entry.current.m_record, CMWAssignment::kRecordSize),
            isButton ? buttonsPath : keysPath, valueName);
    }
    return true;
}

std::vector<uint8_t> CRegistryWriter::MakeDeviceValue(const CMWData& data)
{
    std::vector<uint8_t> bytes(kDeviceValueBytes, 0);
    PutU16(bytes, 0, 0x0100);
    PutU16(bytes, 4, 0x0205);
    uint16_t active = 0;
    for (size_t i = 0; i < data.m_profiles.size(); ++i) {
        if (&data.m_profiles[i] == data.m_activeProfile)
            active = static_cast<uint16_t>(i + 1);
    }
    PutU16(bytes, 6, active);
    PutGuid(bytes, 30, kDeviceRecordGuid);
    for (size_t i = 0; i < data.m_profiles.size() && i < static_cast<size_t>(CMWData::kMaxProfiles); ++i)
        PutGuid(bytes, 46 + 16 * i, data.m_profiles[i].m_guid);
    return bytes;
}

std::vector<uint8_t> CRegistryWriter::MakeProfileValue(const CString& name, const CString& application,
    const GUID& guid, bool switchFlag)
{
    std::vector<uint8_t> bytes(kProfileValueBytes, 0);
    PutText(bytes, 0, name, kProfileNameUnits);
    PutText(bytes, 80, application, kApplicationUnits);
    PutGuid(bytes, 336, guid);
    PutU16(bytes, 352, static_cast<uint16_t>(4 | (switchFlag ? 1 : 0)));
    return bytes;
}

std::vector<uint8_t> CRegistryWriter::MakeProfileExValue(const CMWProfile& profile)
{
    std::vector<uint8_t> bytes(kProfileExValueBytes, 0);
    memcpy(bytes.data(), "kvro", 4);
    PutU32(bytes, 4, 0x100);
    int active = profile.GetActiveKeymapIndex();
    PutU16(bytes, 8, static_cast<uint16_t>(active >= 0 ? active + 1 : 1));
    PutGuid(bytes, 10, kProfileBaseGuid);
    for (int k = 0; k < CMWProfile::kKeymapCount; ++k)
        PutGuid(bytes, 26 + 16 * static_cast<size_t>(k), kKeymapGuids[k]);
    return bytes;
}

std::vector<uint8_t> CRegistryWriter::MakeMacroData(const CMWMacro& macro)
{
    std::vector<uint8_t> bytes(8, 0);
    uint32_t count = 0;
    for (const CMWMacroEvent& event : macro.m_events) {
        if (!event.IsWritten())
            continue;
        size_t offset = bytes.size();
        bytes.resize(offset + 8);
        PutU32(bytes, offset, event.type);
        PutU32(bytes, offset + 4, event.value);
        ++count;
    }
    PutU32(bytes, 4, count);
    return bytes;
}

uint8_t CRegistryWriter::LedBrightness(int brightness)
{
    return static_cast<uint8_t>(std::clamp(brightness, 1, 100) * 255 / 100);
}

bool CRegistryWriter::IsDefaultAssignment(const CMWEntry& entry)
{
    const CMWAssignment& current = entry.current;
    if (entry.kind == CMWEntry::kKey) {
        uint32_t code = current.GetScanCode() + (current.IsExtendedKey() ? 0x20000u : 0u);
        return current.GetType() == CMWAssignment::kKeyStroke && current.GetId() == code;
    }
    uint32_t mouseButton = 0;
    return current.GetType() == CMWAssignment::kMouseButton && GetDefaultMouseButton(entry.id, mouseButton)
        && current.GetPayloadU32(0) == mouseButton;
}
