#include "CVelmoraConfig.h"

#include "ExeFolder.h"
#include "GuidText.h"
#include "KeyId.h"
#include "KeypadButtons.h"
#include "NamedReferences.h"

#include <vector>

CString g_settingsPath;
CString g_profileFolder;
CString g_macroFolder;
std::map<tKeypadButton, CAssignment> g_defaultButtonAssignments;
std::map<tKeypadButton, int> g_defaultButtonKeys;

namespace
{
const wchar_t kSettingsSection[] = L"SETTINGS";
const wchar_t kActiveProfileKey[] = L"ActiveProfileName";
const tLEDType kBrightnessLed = tLEDType(4);
}

void RestoreDefaultTables()
{
    static bool restored = false;
    if (restored)
        return;
    restored = true;
    for (tKeypadButton button : g_allKeypadButtons) {
        if (const wchar_t* keyName = DefaultKeyNameOfButton(button))
            g_defaultButtonKeys[button] = HashKeyName(keyName);
        else
            g_defaultButtonAssignments[button] = DefaultButtonAssignment(button);
    }
}

CVelmoraConfig::CVelmoraConfig(const IKeyDefaults* keyDefaults)
    : m_keyDefaults(keyDefaults)
{
    g_settingsPath.Format(L"%s%s%s.%s", g_exeFolder.GetString(), L"save\\", L"Velmora", L"kvc");
    g_profileFolder.Format(L"%s%s", g_exeFolder.GetString(), L"save\\");
    g_macroFolder = g_profileFolder;
    g_keymapMode = 1;
    RestoreDefaultTables();
}

CString CVelmoraConfig::GetProfileFileExtension() const
{
    return L"kvp";
}

IKeypadProfile* CVelmoraConfig::ProfileOrActive(IKeypadProfile* profile) const
{
    return profile ? profile : GetActiveProfile();
}

unsigned int CVelmoraConfig::ClampToRange(unsigned int value) const
{
    if (value < m_rangeMin)
        return m_rangeMin;
    return value > m_rangeMax ? m_rangeMax : value;
}

void CVelmoraConfig::RemoveAllProfiles()
{
    SetActiveProfile(nullptr);
    DeleteAllProfiles();
}

void CVelmoraConfig::RestoreProfileDefaults(IKeypadProfile* profile)
{
    if (profile) {
        const int keymaps = g_keymapMode ? profile->GetKeymapCount() : 1;
        for (tKeypadButton button : g_allKeypadButtons) {
            CAssignment assignment;
            GetDefaultAssignment(&assignment, button);
            for (int i = 0; i < keymaps; ++i)
                profile->SetButtonAssignment(button, assignment, profile->GetKeymap(i));
        }
        for (const auto& entry : g_defaultButtonKeys) {
            CAssignment assignment;
            GetDefaultKeyAssignment(&assignment, entry.second);
            for (int i = 0; i < keymaps; ++i)
                profile->SetKeyAssignment(entry.second, assignment, profile->GetKeymap(i));
        }
        SetProfileEnabled(true, profile);
        SetProfileOption(1, profile);
        SetOsdEnabledForAllProfiles(IsProfileOsdEnabled(nullptr));
        SetLedBrightness(kBrightnessLed, 100, profile);
    } else {
        SetOsdEnabledForAllProfiles(true);
    }
    SetProfileApplicationPath(profile, L"");
    SetProfileAutoSwitch(profile, false);
    SetCurrentKeymap(GetKeymap(0, profile), profile);
}

void CVelmoraConfig::Reserved()
{
}

int CVelmoraConfig::GetLimit() const
{
    return CKeypadConfig::GetLimit();
}

int CVelmoraConfig::GetProfileCount() const
{
    return CKeypadConfig::GetProfileCount();
}

int CVelmoraConfig::GetMacroCount() const
{
    return static_cast<int>(m_macros.size());
}

IKeypadProfile* CVelmoraConfig::CreateProfile(const CString& name)
{
    CVelmoraProfile* created = AppendProfile(std::make_unique<CVelmoraProfile>(name));
    IKeypadProfile* active = GetActiveProfile();
    for (int i = 0; i < 8; ++i) {
        CKeymap* keymap = created->AddKeymap(L"");
        if (CKeymap* model = active ? active->GetKeymap(i) : nullptr)
            keymap->SetName(model->GetName());
    }
    RestoreProfileDefaults(created);
    return created;
}

IKeypadProfile* CVelmoraConfig::AddProfileCopy(IKeypadProfile* profile)
{
    CVelmoraProfile* source = dynamic_cast<CVelmoraProfile*>(profile);
    if (!source)
        return nullptr;
    return AppendProfile(std::make_unique<CVelmoraProfile>(*source));
}

IKeypadProfile* CVelmoraConfig::FindProfileByGUID(GUID id) const
{
    for (const auto& profile : m_profiles) {
        GUID own;
        if (IsEqualGUID(*profile->GetGUID(&own), id))
            return profile.get();
    }
    return nullptr;
}

IKeypadProfile* CVelmoraConfig::FindProfileByName(const CString& name) const
{
    for (const auto& profile : m_profiles) {
        if (profile->GetName().CompareNoCase(name) == 0)
            return profile.get();
    }
    return nullptr;
}

IKeypadProfile* CVelmoraConfig::GetProfile(int index) const
{
    return ProfileAt(index);
}

IKeypadProfile* CVelmoraConfig::GetActiveProfile() const
{
    return m_trackedActiveProfile.Get();
}

void CVelmoraConfig::SetActiveProfile(IKeypadProfile* profile)
{
    // Only a profile of the list can be active, so the active handle never outlives it.
    CVelmoraProfile* listed = ListedProfile(profile);
    m_activeProfile = listed;
    m_trackedActiveProfile.Set(listed);
}

void CVelmoraConfig::SetProfileApplicationPath(IKeypadProfile* profile, const CString& path)
{
    if (profile)
        profile->SetApplicationPath(path);
}

CString CVelmoraConfig::GetProfileApplicationPath(IKeypadProfile* profile) const
{
    return profile ? profile->GetApplicationPath() : CString();
}

void CVelmoraConfig::SetProfileAutoSwitch(IKeypadProfile* profile, bool on)
{
    if (profile)
        profile->SetAutoSwitch(on);
}

bool CVelmoraConfig::GetProfileAutoSwitch(IKeypadProfile* profile) const
{
    return profile && profile->GetAutoSwitch();
}

IKeypadProfile* CVelmoraConfig::RenameProfile(IKeypadProfile*& profile, const CString& newName)
{
    if (!profile || profile->GetName() == newName)
        return nullptr;
    const int index = IndexOfProfile(profile);
    if (index < 0)
        return nullptr;
    CVelmoraProfile* old = ProfileAt(index);
    old->SetName(newName);
    auto copy = std::make_unique<CVelmoraProfile>(*old);
    const bool wasActive = GetActiveProfile() == old;
    if (old->HasFileName())
        SaveProfile(copy.get());
    m_profiles[static_cast<size_t>(index)] = std::move(copy);
    CVelmoraProfile* renamed = ProfileAt(index);
    if (wasActive)
        SetActiveProfile(renamed);
    profile = renamed;
    return renamed;
}

IKeypadProfile* CVelmoraConfig::CopyProfile(IKeypadProfile* profile, const CString& newName)
{
    CVelmoraProfile* source = dynamic_cast<CVelmoraProfile*>(profile);
    if (!source || source->GetName() == newName)
        return nullptr;
    auto copy = std::make_unique<CVelmoraProfile>(*source);
    copy->SetGUID(GUID_NULL);
    copy->SetName(newName);
    for (int i = 0; i < copy->GetKeymapCount(); ++i)
        copy->GetKeymap(i)->SetGUID(GUID_NULL);
    return AppendProfile(std::move(copy));
}

void CVelmoraConfig::DeleteProfile(IKeypadProfile* profile)
{
    const int index = IndexOfProfile(profile);
    if (index < 0)
        return;
    if (GetActiveProfile() == profile)
        SetActiveProfile(nullptr);
    CVelmoraProfile* listed = ProfileAt(index);
    if (listed->HasFileName())
        DeleteFileW(listed->GetFileName());
    m_profiles.erase(m_profiles.begin() + index);
}

CMacro* CVelmoraConfig::AddMacro(const CString& name)
{
    return ::AddMacro(m_macros, name);
}

void CVelmoraConfig::RemoveMacro(CMacro* macro)
{
    ::RemoveMacro(m_macros, macro);
}

CMacro* CVelmoraConfig::FindMacroByGUID(GUID id) const
{
    return ::FindMacroByGUID(m_macros, id);
}

CMacro* CVelmoraConfig::FindMacroByName(const CString& name) const
{
    return ::FindMacroByName(m_macros, name);
}

CMacro* CVelmoraConfig::GetMacro(int index) const
{
    return ::GetMacro(m_macros, index);
}

void CVelmoraConfig::SetInsertDefaultDelay(bool)
{
}

bool CVelmoraConfig::GetInsertDefaultDelay() const
{
    return false;
}

void CVelmoraConfig::SetIgnoreDelay(bool)
{
}

bool CVelmoraConfig::GetIgnoreDelay() const
{
    return false;
}

int CVelmoraConfig::GetApplicationCount() const
{
    return static_cast<int>(m_applications.size());
}

CKvApp* CVelmoraConfig::AddApplication(const CString& path)
{
    return ::AddApplication(m_applications, path);
}

void CVelmoraConfig::RemoveApplication(CKvApp* application)
{
    ::RemoveApplication(m_applications, application);
}

CKvApp* CVelmoraConfig::FindApplicationByGUID(GUID id) const
{
    return ::FindApplicationByGUID(m_applications, id);
}

CKvApp* CVelmoraConfig::FindApplicationByName(const CString& path) const
{
    return ::FindApplicationByName(m_applications, path);
}

CKvApp* CVelmoraConfig::GetApplication(int index) const
{
    return ::GetApplication(m_applications, index);
}

bool CVelmoraConfig::LoadSettings()
{
    const int loaded = LoadProfileFiles();
    std::vector<wchar_t> name(4096, L'\0');
    GetPrivateProfileStringW(kSettingsSection, kActiveProfileKey, L"", name.data(),
        static_cast<DWORD>(name.size()), g_settingsPath);
    if (loaded > 0) {
        m_activeProfile = ProfileAt(0);
        if (name[0] != L'\0') {
            if (CVelmoraProfile* named = ListedProfile(FindProfileByName(name.data())))
                m_activeProfile = named;
        }
    }
    return false;
}

bool CVelmoraConfig::SaveSettings()
{
    SaveProfile(nullptr);
    IKeypadProfile* active = GetActiveProfile();
    if (!active)
        return false;
    return WritePrivateProfileStringW(kSettingsSection, kActiveProfileKey, active->GetName(), g_settingsPath) != FALSE;
}

namespace
{
// Closes a FindFirstFileW search on every path.
class CFindHandle
{
    HANDLE m_handle;

public:
    explicit CFindHandle(HANDLE handle) : m_handle(handle) {}
    CFindHandle(const CFindHandle&) = delete;
    CFindHandle& operator=(const CFindHandle&) = delete;
    ~CFindHandle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            FindClose(m_handle);
    }
    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
};
}

int CVelmoraConfig::LoadProfileFiles()
{
    const CString extension = GetProfileFileExtension();
    CString pattern;
    pattern.Format(L"%s*.%s", g_profileFolder.GetString(), extension.GetString());
    WIN32_FIND_DATAW found = {};
    CFindHandle search(FindFirstFileW(pattern, &found));
    if (!search.IsValid())
        return 0;
    // The profiles load into a list of their own; the store is replaced only when every
    // file loaded, so a bad file never costs the user the profiles in memory.
    std::vector<std::unique_ptr<CVelmoraProfile>> loaded;
    do {
        CString baseName(found.cFileName);
        int dot = baseName.ReverseFind(L'.');
        if (dot >= 0)
            baseName = baseName.Left(dot);
        auto profile = std::make_unique<CVelmoraProfile>();
        if (!profile->LoadFromFile(baseName.Left(256), g_profileFolder, extension))
            return 0;
        loaded.push_back(std::move(profile));
    } while (FindNextFileW(search.Get(), &found));
    RemoveAllProfiles();
    m_profiles = std::move(loaded);
    return GetProfileCount();
}

bool CVelmoraConfig::SaveProfile(IKeypadProfile* profile)
{
    CString path;
    if (profile)
        return profile->SaveToFile(path, g_profileFolder, GetProfileFileExtension());
    for (const auto& listed : m_profiles)
        listed->SaveToFile(path, g_profileFolder, GetProfileFileExtension());
    return true;
}

void CVelmoraConfig::SetButtonAssignment(tKeypadButton button, CAssignment assignment, IKeypadProfile* profile, CKeymap* keymap)
{
    if (IKeypadProfile* target = ProfileOrActive(profile))
        target->SetButtonAssignment(button, assignment, keymap);
}

CAssignment* CVelmoraConfig::GetButtonAssignment(CAssignment* out, tKeypadButton button, IKeypadProfile* profile, CKeymap* keymap)
{
    IKeypadProfile* source = ProfileOrActive(profile);
    return source ? source->GetButtonAssignment(out, button, keymap) : nullptr;
}

CAssignment* CVelmoraConfig::GetDefaultAssignment(CAssignment* out, tKeypadButton button)
{
    if (out)
        *out = g_defaultButtonAssignments[button];
    return out;
}

void CVelmoraConfig::SetKeyAssignment(int keyId, CAssignment assignment, IKeypadProfile* profile, CKeymap* keymap)
{
    if (IKeypadProfile* target = ProfileOrActive(profile))
        target->SetKeyAssignment(keyId, assignment, keymap);
}

CAssignment* CVelmoraConfig::GetKeyAssignment(CAssignment* out, int keyId, IKeypadProfile* profile, CKeymap* keymap)
{
    IKeypadProfile* source = ProfileOrActive(profile);
    return source ? source->GetKeyAssignment(out, keyId, keymap) : nullptr;
}

CAssignment* CVelmoraConfig::GetDefaultKeyAssignment(CAssignment* out, int keyId) const
{
    if (!out)
        return out;
    *out = CAssignment();
    uint16_t scanCode = 0;
    uint8_t extended = 0;
    if (m_keyDefaults && m_keyDefaults->GetDefaultKeystroke(keyId, scanCode, extended)) {
        out->payload[0] = static_cast<uint8_t>(scanCode);
        out->payload[1] = static_cast<uint8_t>(scanCode >> 8);
        out->payload[4] = extended;
    }
    return out;
}

void CVelmoraConfig::SetCurrentKeymap(CKeymap* keymap, IKeypadProfile* profile)
{
    if (IKeypadProfile* target = ProfileOrActive(profile))
        target->SetCurrentKeymap(keymap);
}

CKeymap* CVelmoraConfig::GetCurrentKeymap(IKeypadProfile* profile) const
{
    IKeypadProfile* source = ProfileOrActive(profile);
    return source ? source->GetCurrentKeymap() : nullptr;
}

void CVelmoraConfig::SetProfileEnabled(bool, IKeypadProfile*)
{
}

bool CVelmoraConfig::IsProfileEnabled(IKeypadProfile*) const
{
    return true;
}

bool CVelmoraConfig::IsKeymapModeEnabled() const
{
    return g_keymapMode != 0;
}

int CVelmoraConfig::GetKeymapCount(IKeypadProfile* profile) const
{
    IKeypadProfile* source = ProfileOrActive(profile);
    return source ? source->GetKeymapCount() : 0;
}

CKeymap* CVelmoraConfig::AddKeymap(const CString& name, IKeypadProfile* profile)
{
    IKeypadProfile* target = ProfileOrActive(profile);
    return target ? target->AddKeymap(name) : nullptr;
}

CKeymap* CVelmoraConfig::AddKeymapCopy(const CKeymap* keymap, IKeypadProfile* profile)
{
    IKeypadProfile* target = ProfileOrActive(profile);
    return target ? target->AddKeymapCopy(keymap) : nullptr;
}

CKeymap* CVelmoraConfig::FindKeymapByGUID(GUID id, IKeypadProfile* profile) const
{
    IKeypadProfile* source = ProfileOrActive(profile);
    return source ? source->FindKeymapByGUID(id) : nullptr;
}

CKeymap* CVelmoraConfig::FindKeymapByName(const CString& name, IKeypadProfile* profile) const
{
    IKeypadProfile* source = ProfileOrActive(profile);
    return source ? source->FindKeymapByName(name) : nullptr;
}

CKeymap* CVelmoraConfig::GetKeymap(int index, IKeypadProfile* profile) const
{
    IKeypadProfile* source = ProfileOrActive(profile);
    return source ? source->GetKeymap(index) : nullptr;
}

void CVelmoraConfig::RemoveAllKeymaps(IKeypadProfile* profile)
{
    if (IKeypadProfile* target = ProfileOrActive(profile))
        target->RemoveAllKeymaps();
}

void CVelmoraConfig::SetLedState(tLEDType led, bool on, IKeypadProfile* profile)
{
    if (IKeypadProfile* target = ProfileOrActive(profile))
        target->SetLedState(led, on);
}

bool CVelmoraConfig::GetLedState(tLEDType led, IKeypadProfile* profile) const
{
    IKeypadProfile* source = ProfileOrActive(profile);
    return source && source->GetLedState(led);
}

void CVelmoraConfig::SetLedColour(tLEDType led, COLORREF colour, IKeypadProfile* profile)
{
    if (IKeypadProfile* target = ProfileOrActive(profile))
        target->SetLedColour(led, colour);
}

COLORREF CVelmoraConfig::GetLedColour(tLEDType led, IKeypadProfile* profile) const
{
    IKeypadProfile* source = ProfileOrActive(profile);
    return source ? source->GetLedColour(led) : 0;
}

void CVelmoraConfig::SetLedEffect(tLEDType led, tLEDEffect effect, IKeypadProfile* profile)
{
    if (IKeypadProfile* target = ProfileOrActive(profile))
        target->SetLedEffect(led, effect);
}

tLEDEffect CVelmoraConfig::GetLedEffect(tLEDType led, IKeypadProfile* profile) const
{
    IKeypadProfile* source = ProfileOrActive(profile);
    return source ? source->GetLedEffect(led) : tLEDEffect(0);
}

void CVelmoraConfig::SetLedBrightness(tLEDType led, unsigned int percent, IKeypadProfile* profile)
{
    if (IKeypadProfile* target = ProfileOrActive(profile))
        target->SetLedBrightness(led, percent);
}

unsigned int CVelmoraConfig::GetLedBrightness(tLEDType led, IKeypadProfile* profile) const
{
    IKeypadProfile* source = ProfileOrActive(profile);
    return source ? source->GetLedBrightness(led) : 0;
}

int CVelmoraConfig::GetLedAssignmentCount() const
{
    return static_cast<int>(m_trackedLedAssignments.size());
}

void CVelmoraConfig::SetLedAssignment(int led, CAssignment assignment)
{
    if (assignment.kind != kAssignLed)
        return;
    m_ledAssignments[led] = assignment;
    m_trackedLedAssignments[led] = CCatAssnmnt(assignment);
}

CAssignment* CVelmoraConfig::GetLedAssignment(CAssignment* out, int led)
{
    if (out)
        *out = m_trackedLedAssignments[led].Get();
    return out;
}

int CVelmoraConfig::GetLedAssignmentKey(int index) const
{
    if (index < 0 || index >= GetLedAssignmentCount())
        return 0;
    auto entry = m_trackedLedAssignments.begin();
    std::advance(entry, index);
    return entry->first;
}

void CVelmoraConfig::SetProfileOption(int, IKeypadProfile*)
{
}

bool CVelmoraConfig::GetProfileOption(IKeypadProfile*) const
{
    return false;
}

void CVelmoraConfig::SetOsdEnabledForAllProfiles(bool on)
{
    for (const auto& profile : m_profiles)
        profile->SetOsdEnabled(on);
}

void CVelmoraConfig::SetProfileOsdEnabled(bool on, IKeypadProfile* profile)
{
    if (IKeypadProfile* target = ProfileOrActive(profile))
        target->SetOsdEnabled(on);
}

bool CVelmoraConfig::IsProfileOsdEnabled(IKeypadProfile* profile) const
{
    IKeypadProfile* source = ProfileOrActive(profile);
    return source && source->IsOsdEnabled();
}

int CVelmoraConfig::GetApmCount() const
{
    return m_stages.GetCount();
}

bool CVelmoraConfig::SetApmName(int index, const wchar_t* name)
{
    return m_stages.SetName(index, name);
}

bool CVelmoraConfig::SetApmBitmap(int index, CBitmap* bitmap, int id)
{
    return m_stages.SetBitmap(index, bitmap, id);
}

bool CVelmoraConfig::GetApmName(int index, const wchar_t*& name) const
{
    return m_stages.GetName(index, name);
}

bool CVelmoraConfig::GetApmBitmap(int index, CBitmap*& bitmap, int& id) const
{
    return m_stages.GetBitmap(index, bitmap, id);
}

bool CVelmoraConfig::AddApm(const wchar_t* name, CBitmap* bitmap, int id)
{
    return m_stages.Add(name, bitmap, id);
}

bool CVelmoraConfig::RemoveApm(int index)
{
    return m_stages.Remove(index);
}

void CVelmoraConfig::RemoveAllApms()
{
    m_stages.RemoveAll();
}

void CVelmoraConfig::SetRangeMode(int mode)
{
    m_rangeMode = mode;
}

int CVelmoraConfig::GetRangeMode() const
{
    return m_rangeMode;
}

unsigned int CVelmoraConfig::GetRangeMin() const
{
    return m_rangeMin;
}

unsigned int CVelmoraConfig::GetRangeMax() const
{
    return m_rangeMax;
}

void CVelmoraConfig::SetRangeValue(unsigned int value)
{
    m_rangeValue = ClampToRange(value);
}

unsigned int CVelmoraConfig::GetRangeValue() const
{
    return m_rangeValue;
}

void CVelmoraConfig::SetTrackedRangeValue(unsigned int value)
{
    m_trackedRangeValuePlain = ClampToRange(value);
    m_trackedRangeValue.Set(m_trackedRangeValuePlain);
}

unsigned int CVelmoraConfig::GetTrackedRangeValue() const
{
    return m_trackedRangeValue.Get();
}

void CVelmoraConfig::SetTrackedValue(unsigned int value)
{
    m_trackedValuePlain = value;
    m_trackedValue.Set(value);
}

unsigned int CVelmoraConfig::GetTrackedValue() const
{
    return m_trackedValue.Get();
}

void CVelmoraConfig::SetPercentValue(unsigned int percent)
{
    m_percentValue = percent > 100 ? 100 : percent;
    m_trackedPercentValue.Set(m_percentValue);
}

unsigned int CVelmoraConfig::GetPercentValue() const
{
    return m_trackedPercentValue.Get();
}

bool CVelmoraConfig::IsItemChanged(int type, int index) const
{
    return CKeypadConfig::IsItemChanged(type, index);
}

bool CVelmoraConfig::IsCategoryChanged(int id) const
{
    return CKeypadConfig::IsCategoryChanged(id);
}

bool CVelmoraConfig::IsChanged(IKeypadProfile* profile) const
{
    return CKeypadConfig::IsChanged(profile);
}

void CVelmoraConfig::AcceptChanges()
{
    CKeypadConfig::AcceptChanges();
}

std::unique_ptr<IKeypadConfig> CVelmoraConfig::CreateSnapshot() const
{
    auto snapshot = std::make_unique<CVelmoraConfig>(m_keyDefaults);
    for (const auto& profile : m_profiles) {
        CVelmoraProfile* copy = snapshot->AppendProfile(std::make_unique<CVelmoraProfile>(*profile));
        copy->CopyTrackingFrom(*profile);
        GUID id;
        std::vector<CString> keymapNames;
        for (int i = 0; i < profile->GetKeymapCount(); ++i)
            keymapNames.push_back(profile->GetKeymap(i)->GetName());
        snapshot->m_profileSources.push_back({ *profile->GetGUID(&id), profile.get(), keymapNames });
        if (GetActiveProfile() == profile.get())
            snapshot->SetActiveProfile(copy);
    }
    for (const CCatMacro& entry : m_macros) {
        if (!entry.GetLive())
            continue;
        snapshot->m_macros.push_back(CCatMacro(new CMacro(*entry.GetLive())));
        snapshot->m_macros.back().AcceptFrom(entry);
        snapshot->m_macroSources.push_back({ entry.GetLive()->m_id, entry.GetLive(), {} });
    }
    for (const CCatKvApp& entry : m_applications) {
        if (!entry.GetLive())
            continue;
        snapshot->m_applications.push_back(CCatKvApp(new CKvApp(*entry.GetLive())));
        snapshot->m_applications.back().AcceptFrom(entry);
        snapshot->m_applicationSources.push_back({ entry.GetLive()->m_id, entry.GetLive(), {} });
    }
    snapshot->m_ledAssignments = m_ledAssignments;
    snapshot->m_trackedLedAssignments = m_trackedLedAssignments;
    snapshot->m_rangeMode = m_rangeMode;
    snapshot->m_rangeMin = m_rangeMin;
    snapshot->m_rangeMax = m_rangeMax;
    snapshot->m_rangeValue = m_rangeValue;
    snapshot->m_trackedRangeValuePlain = m_trackedRangeValuePlain;
    snapshot->m_trackedRangeValue = m_trackedRangeValue;
    snapshot->m_percentValue = m_percentValue;
    snapshot->m_trackedPercentValue = m_trackedPercentValue;
    snapshot->m_trackedValuePlain = m_trackedValuePlain;
    snapshot->m_trackedValue = m_trackedValue;
    return snapshot;
}

// A profile the device knew is found by its id, also after a rename replaced the object;
// a new one only as that very object of the list, and only while it is still new.
CVelmoraProfile* CVelmoraConfig::ProfileOfSource(const CSnapshotSource& source) const
{
    if (!IsNullGuid(source.id))
        return ListedProfile(FindProfileByGUID(source.id));
    for (const auto& profile : m_profiles) {
        GUID id;
        if (static_cast<const void*>(profile.get()) == source.item && IsNullGuid(*profile->GetGUID(&id)))
            return profile.get();
    }
    return nullptr;
}

// The same rule for the entries of the macro and application lists.
template <typename Entry, typename List>
Entry* CVelmoraConfig::EntryOfSource(List& list, const CSnapshotSource& source)
{
    for (Entry& entry : list) {
        const auto* live = entry.GetLive();
        if (!live)
            continue;
        const bool found = IsNullGuid(source.id) ? static_cast<const void*>(live) == source.item && IsNullGuid(live->m_id)
                                                 : IsEqualGUID(live->m_id, source.id) != FALSE;
        if (found)
            return &entry;
    }
    return nullptr;
}

namespace
{
// Ids the device gave a copy reach the live profile and its keymaps (by position) where
// they still have none, and so do the names the device kept for keymaps the user has not
// renamed since; then the live profile takes the copy's accepted values.
void AcceptWrittenProfile(CVelmoraProfile& live, const CVelmoraProfile& written, const std::vector<CString>& namesBefore)
{
    GUID liveId;
    GUID writtenId;
    if (IsNullGuid(*live.GetGUID(&liveId)) && !IsNullGuid(*written.GetGUID(&writtenId)))
        live.SetGUID(writtenId);
    for (int i = 0; i < live.GetKeymapCount() && i < written.GetKeymapCount(); ++i) {
        CKeymap* keymap = live.GetKeymap(i);
        const CKeymap* copy = written.GetKeymap(i);
        if (IsNullGuid(keymap->GetGUID()) && !IsNullGuid(copy->GetGUID()))
            keymap->SetGUID(copy->GetGUID());
        const size_t index = static_cast<size_t>(i);
        if (index < namesBefore.size() && copy->GetName() != namesBefore[index] && keymap->GetName() == namesBefore[index])
            keymap->SetName(copy->GetName());
    }
    live.AcceptFrom(written);
}

template <typename Entry>
void AcceptWrittenEntry(Entry& live, const Entry& written)
{
    if (IsNullGuid(live.GetLive()->m_id) && written.GetLive())
        live.GetLive()->m_id = written.GetLive()->m_id;
    live.AcceptFrom(written);
}
}

void CVelmoraConfig::AcceptWritten(const IKeypadConfig* written)
{
    const CVelmoraConfig* snapshot = dynamic_cast<const CVelmoraConfig*>(written);
    if (!snapshot || snapshot == this)
        return;
    for (int i = 0; i < snapshot->GetProfileCount(); ++i) {
        const CSnapshotSource& source = snapshot->m_profileSources[static_cast<size_t>(i)];
        if (CVelmoraProfile* live = ProfileOfSource(source))
            AcceptWrittenProfile(*live, *snapshot->ProfileAt(i), source.keymapNames);
    }
    for (size_t i = 0; i < snapshot->m_macros.size(); ++i) {
        if (CCatMacro* live = EntryOfSource<CCatMacro>(m_macros, snapshot->m_macroSources[i]))
            AcceptWrittenEntry(*live, snapshot->m_macros[i]);
    }
    for (size_t i = 0; i < snapshot->m_applications.size(); ++i) {
        if (CCatKvApp* live = EntryOfSource<CCatKvApp>(m_applications, snapshot->m_applicationSources[i]))
            AcceptWrittenEntry(*live, snapshot->m_applications[i]);
    }
    // The active profile is accepted when the snapshot's was and the user has not chosen
    // another one since.
    const int active = snapshot->IndexOfProfile(snapshot->GetActiveProfile());
    if (active >= 0 && !snapshot->m_trackedActiveProfile.IsChanged() && GetActiveProfile() &&
        ListedProfile(GetActiveProfile()) == ProfileOfSource(snapshot->m_profileSources[static_cast<size_t>(active)]))
        m_trackedActiveProfile.Accept();
    m_trackedLedAssignments.AcceptFrom(snapshot->m_trackedLedAssignments);
    m_trackedRangeValue.AcceptFrom(snapshot->m_trackedRangeValue);
    m_trackedPercentValue.AcceptFrom(snapshot->m_trackedPercentValue);
    m_trackedValue.AcceptFrom(snapshot->m_trackedValue);
    // Items the write created now have ids: assignments that still name them take the
    // by-id form, as the write sent them.
    ResolveNamedAssignments(*this);
}
