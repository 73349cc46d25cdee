#include "CBaseProfile.h"

namespace
{
// The program's file name and extension, each cut to the longest component a path may
// hold; separators are those of a Windows path, a drive colon included.
CString ApplicationNameOfPath(const CString& path)
{
    int separator = -1;
    for (int i = 0; i < path.GetLength(); ++i) {
        wchar_t ch = path[i];
        if (ch == L'\\' || ch == L'/' || ch == L':')
            separator = i;
    }
    CString file = path.Mid(separator + 1);
    int dot = file.ReverseFind(L'.');
    CString name = dot < 0 ? file : file.Left(dot);
    CString extension = dot < 0 ? CString() : file.Mid(dot);
    return FormatString(L"%s%s", name.Left(CBaseProfile::kMaxPathComponent).GetString(),
        extension.Left(CBaseProfile::kMaxPathComponent).GetString());
}

template <typename Map>
auto CurrentOr(const Map& map, tLEDType led, decltype(map.begin()->second.Get()) missing)
{
    auto found = map.find(led);
    return found == map.end() ? missing : found->second.Get();
}
}

CBaseProfile::CBaseProfile()
{
    RegisterCategory(kCatProfileKeys, m_categories, &m_trackedKeyAssignments);
    RegisterCategory(kCatLedState, m_categories, &m_ledStates);
    RegisterCategory(kCatLedColour, m_categories, &m_ledColours);
    RegisterCategory(kCatLedBrightness, m_categories, &m_ledBrightness);
    RegisterCategory(kCatLedEffect, m_categories, &m_ledEffects);
    RegisterCategory(kCatProfileGuid, m_categories, &m_trackedId);
    RegisterCategory(kCatProfileName, m_categories, &m_trackedName);
    RegisterCategory(kCatProfileAppName, m_categories, &m_trackedApplicationName);
    RegisterCategory(kCatProfileAutoSwitch, m_categories, &m_trackedAutoSwitch);
    RegisterCategory(kCatProfileOsd, m_categories, &m_trackedOsdEnabled);
    // The notice is on from the start: tracked as on and not as a change.
    m_trackedOsdEnabled.Set(m_osdEnabled);
    m_trackedOsdEnabled.Accept();
}

CBaseProfile::CBaseProfile(const CString& name)
    : CBaseProfile()
{
    SetName(name);
}

void CBaseProfile::CopyFrom(const CBaseProfile& source)
{
    if (&source == this)
        return;
    SetName(source.m_name);
    SetApplicationName(source.m_applicationName);
    m_applicationPath = source.m_applicationPath;
    m_fileName = source.m_fileName;

    m_autoSwitch = source.m_autoSwitch;
    m_trackedAutoSwitch.Set(source.m_autoSwitch);
    m_osdEnabled = source.m_osdEnabled;
    m_trackedOsdEnabled.Set(source.m_osdEnabled);

    SetGUID(source.m_id);

    m_keyAssignments.clear();
    m_trackedKeyAssignments.clear();
    for (const auto& entry : source.m_keyAssignments) {
        m_keyAssignments[entry.first] = entry.second;
        m_trackedKeyAssignments[entry.first] = CCatAssnmnt(entry.second);
    }

    m_ledSettings = source.m_ledSettings;
    for (const auto& entry : m_ledSettings) {
        m_ledStates[entry.first].Set(entry.second.on);
        m_ledColours[entry.first].Set(entry.second.colour);
        m_ledEffects[entry.first].Set(entry.second.effect);
        m_ledBrightness[entry.first].Set(entry.second.brightness);
    }
}

void CBaseProfile::AcceptFrom(const CBaseProfile& other)
{
    if (&other == this)
        return;
    m_trackedKeyAssignments.AcceptFrom(other.m_trackedKeyAssignments);
    m_ledStates.AcceptFrom(other.m_ledStates);
    m_ledColours.AcceptFrom(other.m_ledColours);
    m_ledEffects.AcceptFrom(other.m_ledEffects);
    m_ledBrightness.AcceptFrom(other.m_ledBrightness);
    m_trackedName.AcceptFrom(other.m_trackedName);
    m_trackedApplicationName.AcceptFrom(other.m_trackedApplicationName);
    m_trackedId.AcceptFrom(other.m_trackedId);
    m_trackedAutoSwitch.AcceptFrom(other.m_trackedAutoSwitch);
    m_trackedOsdEnabled.AcceptFrom(other.m_trackedOsdEnabled);
}

void CBaseProfile::CopyTrackingFrom(const CBaseProfile& other)
{
    if (&other == this)
        return;
    m_trackedKeyAssignments = other.m_trackedKeyAssignments;
    m_ledStates = other.m_ledStates;
    m_ledColours = other.m_ledColours;
    m_ledEffects = other.m_ledEffects;
    m_ledBrightness = other.m_ledBrightness;
    m_trackedName = other.m_trackedName;
    m_trackedApplicationName = other.m_trackedApplicationName;
    m_trackedId = other.m_trackedId;
    m_trackedAutoSwitch = other.m_trackedAutoSwitch;
    m_trackedOsdEnabled = other.m_trackedOsdEnabled;
}

CString CBaseProfile::GetName() const
{
    return m_trackedName.Get();
}

void CBaseProfile::SetName(const CString& name)
{
    m_name = name;
    m_trackedName.Set(name);
}

GUID* CBaseProfile::GetGUID(GUID* out) const
{
    if (out)
        *out = m_trackedId.Get();
    return out;
}

void CBaseProfile::SetGUID(GUID id)
{
    m_id = id;
    m_trackedId.Set(id);
}

bool CBaseProfile::HasFileName() const
{
    return !m_fileName.IsEmpty();
}

CString CBaseProfile::GetFileName() const
{
    return m_fileName;
}

CString CBaseProfile::GetApplicationName() const
{
    return m_trackedApplicationName.Get();
}

void CBaseProfile::SetApplicationName(const CString& name)
{
    m_applicationName = name;
    m_trackedApplicationName.Set(name);
}

CString CBaseProfile::GetApplicationPath() const
{
    return m_applicationPath;
}

void CBaseProfile::SetApplicationPath(const CString& path)
{
    m_applicationPath = path;
    SetApplicationName(ApplicationNameOfPath(path));
}

void CBaseProfile::SetBaseKeyAssignment(int keyId, CAssignment assignment)
{
    if (!IsAssignmentKindSupported(assignment.kind))
        return;
    m_keyAssignments[keyId] = assignment;
    m_trackedKeyAssignments[keyId] = CCatAssnmnt(assignment);
}

CAssignment* CBaseProfile::GetBaseKeyAssignment(CAssignment* out, int keyId)
{
    if (out)
        *out = m_trackedKeyAssignments[keyId].Get();
    return out;
}

void CBaseProfile::SetLedState(tLEDType led, bool on)
{
    m_ledStates[led].Set(on);
    m_ledSettings[led].on = on;
}

bool CBaseProfile::GetLedState(tLEDType led) const
{
    return CurrentOr(m_ledStates, led, false);
}

void CBaseProfile::SetLedColour(tLEDType led, COLORREF colour)
{
    m_ledColours[led].Set(colour);
    m_ledSettings[led].colour = colour;
}

COLORREF CBaseProfile::GetLedColour(tLEDType led) const
{
    return CurrentOr(m_ledColours, led, 0ul);
}

void CBaseProfile::SetLedEffect(tLEDType led, tLEDEffect effect)
{
    m_ledEffects[led].Set(effect);
    m_ledSettings[led].effect = effect;
}

tLEDEffect CBaseProfile::GetLedEffect(tLEDType led) const
{
    return CurrentOr(m_ledEffects, led, tLEDEffect(0));
}

void CBaseProfile::SetLedBrightness(tLEDType led, unsigned int percent)
{
    if (percent > 100)
        percent = 100;
    m_ledBrightness[led].Set(percent);
    m_ledSettings[led].brightness = percent;
}

unsigned int CBaseProfile::GetLedBrightness(tLEDType led) const
{
    return CurrentOr(m_ledBrightness, led, 0u);
}

void CBaseProfile::SetAutoSwitch(bool on)
{
    m_autoSwitch = on;
    m_trackedAutoSwitch.Set(on);
}

bool CBaseProfile::GetAutoSwitch() const
{
    return m_autoSwitch;
}

void CBaseProfile::SetOsdEnabled(bool on)
{
    m_osdEnabled = on;
    m_trackedOsdEnabled.Set(on);
}

bool CBaseProfile::IsOsdEnabled() const
{
    return m_osdEnabled;
}

bool CBaseProfile::SaveToFile(CString&, const CString&, const CString&)
{
    return false;
}

bool CBaseProfile::LoadFromFile(const CString&, const CString&, const CString&)
{
    return false;
}

bool CBaseProfile::IsLedItemChanged(int type, tLEDType led) const
{
    switch (type) {
    case kCatLedState: return m_ledStates.IsItemChanged(led);
    case kCatLedColour: return m_ledColours.IsItemChanged(led);
    case kCatLedBrightness: return m_ledBrightness.IsItemChanged(led);
    case kCatLedEffect: return m_ledEffects.IsItemChanged(led);
    default: return true;
    }
}

bool CBaseProfile::IsKeyItemChanged(int type, int keyId) const
{
    return type != kCatProfileKeys || m_trackedKeyAssignments.IsItemChanged(keyId);
}

bool CBaseProfile::IsCategoryChanged(int id) const
{
    return ::IsCategoryChanged(m_categories, id);
}

bool CBaseProfile::IsChanged() const
{
    return IsRegistryChanged(m_categories);
}

void CBaseProfile::AcceptChanges()
{
    AcceptAllCategories(m_categories);
}
