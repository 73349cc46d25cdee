// The whole configuration between the store and the device service: the write that
// Apply runs on the worker thread, the read of start-up, and the reads of the imports.
#include "CKeypad.h"

#include "KeyTranslation.h"
#include "NamedReferences.h"
#include "ServiceCalls.h"

#include <cstring>

namespace
{
constexpr uint16_t kFlagKeys = 0x002;
constexpr uint16_t kFlagLeds = 0x004;
constexpr uint16_t kFlagMacros = 0x010;
constexpr uint16_t kFlagProperties = 0x100;
constexpr uint16_t kFlagProfiles = 0x30F;

constexpr DWORD kPropertyApplication = 0x80000002;
constexpr DWORD kPropertyFlags = 0x80000003;
constexpr DWORD kApplicationBytes = 256;
constexpr int kApplicationChars = 127;

GUID IdOf(IKeypadProfile* profile)
{
    GUID id = {};
    profile->GetGUID(&id);
    return id;
}

bool SetFlag(IProfileProperties* properties, uint16_t mask, bool on)
{
    const uint16_t record[2] = { mask, static_cast<uint16_t>(on ? mask : 0) };
    return SUCCEEDED(properties->SetProperty(kPropertyFlags, reinterpret_cast<const BYTE*>(record), 0, 4, 0));
}

bool ReadFlags(IProfileProperties* properties, uint16_t& flags)
{
    DWORD stored = 0;
    flags = 0;
    return SUCCEEDED(properties->GetProperty(kPropertyFlags, reinterpret_cast<BYTE*>(&flags), 0, 2, &stored));
}

tLEDEffect ClampEffect(LONG effect)
{
    return tLEDEffect(effect >= 1 && effect <= 5 ? effect : 0);
}

// The colour, brightness and effect of one LED, asked for together.
void QueryLedFacets(ILed* led, CComPtr<ILedColour>& colour, CComPtr<ILedBrightness>& brightness, CComPtr<ILedEffect>& effect)
{
    MULTI_QI queries[3] = { { &IID_ILedColour, nullptr, S_OK }, { &IID_ILedBrightness, nullptr, S_OK },
        { &IID_ILedEffect, nullptr, S_OK } };
    QueryServiceInterfaces(led, queries, 3);
    colour.Attach(static_cast<ILedColour*>(queries[0].pItf));
    brightness.Attach(static_cast<ILedBrightness*>(queries[1].pItf));
    effect.Attach(static_cast<ILedEffect*>(queries[2].pItf));
}

// A name no macro of the store has yet: the name itself, else "name (2)", "name (3)"...
CString UniqueMacroName(IKeypadConfig* config, const CString& name)
{
    CString candidate = name;
    for (int n = 2; config->FindMacroByName(candidate); ++n)
        candidate.Format(L"%s (%d)", name.GetString(), n);
    return candidate;
}
}

bool CKeypad::WriteConfig(IKeypadConfig* config, uint16_t flags)
{
    if (!m_device || !config)
        return false;
    m_profilesWithoutApplication.clear();
    bool ok = true;
    if (HasFeature(1)) {
        CComPtr<IProfileManager> profiles;
        if (!GetManager(IID_IProfileManager, profiles))
            return false;
        const bool staleLeft = !RemoveStaleProfiles(config, profiles.Get());
        for (int d = 0; d < config->GetProfileCount() && !IsCancelled(); ++d)
            ok = WriteProfile(config, profiles.Get(), config->GetProfile(d), flags, ok);
        if (ok && (flags & kFlagProfiles) && config->GetActiveProfile()) {
            CComPtr<IProfile> active;
            ok = GetServiceItemById(profiles.Get(), IdOf(config->GetActiveProfile()), active) &&
                 SUCCEEDED(profiles->SetActive(active.Get()));
            // A deleted profile that was active could not go before a kept one was on the
            // device and active; now it can.
            if (ok && staleLeft)
                RemoveStaleProfiles(config, profiles.Get());
        }
    }
    if (HasFeature(4) && (flags & kFlagMacros) && !IsCancelled()) {
        CComPtr<IMacroManager> macros;
        ok = ok && GetManager(IID_IMacroManager, macros) && RemoveStaleMacros(config, macros.Get()) &&
             WriteMacros(config, macros.Get());
    }
    ok = ok && !IsCancelled();
    // Only a write that reached the device whole is accepted; otherwise the changes stay
    // pending and Apply stays available.
    if (ok && !LeavesOutAnything(flags))
        config->AcceptChanges();
    return ok;
}

bool CKeypad::LeavesOutProfileParts(uint16_t flags) const
{
    return (HasFeature(7) && !(flags & kFlagProperties)) || (HasFeature(17) && !(flags & kFlagKeys)) ||
           (HasFeature(5) && !(flags & kFlagLeds));
}

bool CKeypad::LeavesOutAnything(uint16_t flags) const
{
    return LeavesOutProfileParts(flags) || (HasFeature(4) && !(flags & kFlagMacros)) ||
           (HasFeature(1) && !(flags & kFlagProfiles));
}

bool CKeypad::RemoveStaleProfiles(IKeypadConfig* config, IProfileManager* profiles)
{
    bool removed = true;
    for (LONG i = 0;;) {
        CComPtr<IProfile> device;
        GUID id = {};
        if (FAILED(profiles->Item(i, device.Receive())))
            return removed;
        if (FAILED(device->GetId(&id)))
            return false;
        if (config->FindProfileByGUID(id)) {
            ++i;
            continue;
        }
        HRESULT hr = profiles->Delete(device.Get());
        if (hr == E_ACCESSDENIED) {
            // The device keeps one profile active: make one that stays active first, so
            // the deleted profile cannot come back at the next start.
            CComPtr<IProfile> kept;
            IKeypadProfile* keep = config->GetActiveProfile() ? config->GetActiveProfile() : config->GetProfile(0);
            if (keep && GetServiceItemById(profiles, IdOf(keep), kept) && SUCCEEDED(profiles->SetActive(kept.Get())))
                hr = profiles->Delete(device.Get());
        }
        if (FAILED(hr)) {
            removed = false;
            ++i;
        }
    }
}

bool CKeypad::WriteProfile(IKeypadConfig* config, IProfileManager* profiles, IKeypadProfile* profile, uint16_t flags, bool ok)
{
    bool profileOk = true;
    // The device profile found or made first serves every later step.
    CComPtr<IProfile> device;
    if (ok) {
        GUID id = IdOf(profile);
        if (IsNullGuid(id)) {
            profileOk = SUCCEEDED(profiles->Create(device.Receive())) && SUCCEEDED(device->GetId(&id)) &&
                        SUCCEEDED(device->SetName(profile->GetName()));
            if (profileOk)
                profile->SetGUID(id);
        } else {
            CString name;
            profileOk = GetServiceItemById(profiles, id, device) && ReadServiceName(device.Get(), name);
            if (profileOk && name.CompareNoCase(profile->GetName()) != 0)
                profileOk = SUCCEEDED(device->SetName(profile->GetName()));
        }
    }
    if (!device && !GetServiceItemById(profiles, IdOf(profile), device))
        return false;
    bool applicationLeftOut = false;
    if (ok && profileOk && HasFeature(7) && (flags & kFlagProperties))
        profileOk = WriteProperties(device.Get(), profile, applicationLeftOut);
    if (applicationLeftOut)
        m_profilesWithoutApplication.push_back(profile->GetName());
    if (ok && profileOk && HasFeature(17) && (flags & kFlagKeys))
        profileOk = WriteKeymaps(config, device.Get(), profile);
    if (ok && profileOk && HasFeature(5) && (flags & kFlagLeds))
        profileOk = WriteLeds(config, device.Get(), profile);
    // A profile is accepted only when everything of it reached the device.
    if (ok && profileOk && !applicationLeftOut && !IsCancelled() && !LeavesOutProfileParts(flags))
        profile->AcceptChanges();
    return ok && profileOk;
}

bool CKeypad::WriteProperties(IProfile* device, IKeypadProfile* profile, bool& applicationLeftOut)
{
    CComPtr<IProfileProperties> properties;
    applicationLeftOut = false;
    if (!GetServiceSubObject(device, IID_IProfileProperties, properties) || FAILED(device->SetName(profile->GetName())))
        return false;
    const CString application = profile->GetApplicationName();
    // A name the keypad cannot hold is left out and the automatic switch that needs it is
    // turned off, so no older name switches to this profile; the other flags and the rest
    // of the write still go out.
    if (application.GetLength() > kApplicationChars) {
        applicationLeftOut = true;
        return SetFlag(properties.Get(), 1, false) && SetFlag(properties.Get(), 2, profile->GetOption()) &&
               SetFlag(properties.Get(), 4, profile->IsOsdEnabled());
    }
    wchar_t buffer[kApplicationBytes / sizeof(wchar_t)] = {};
    wmemcpy(buffer, application.GetString(), static_cast<size_t>(application.GetLength()));
    if (FAILED(properties->SetProperty(kPropertyApplication, reinterpret_cast<const BYTE*>(buffer), 0,
            kApplicationBytes, 0)))
        return false;
    const bool autoSwitch = !application.IsEmpty() && profile->GetAutoSwitch();
    return SetFlag(properties.Get(), 1, autoSwitch) && SetFlag(properties.Get(), 2, profile->GetOption()) &&
           SetFlag(properties.Get(), 4, profile->IsOsdEnabled());
}

bool CKeypad::WriteKeymaps(IKeypadConfig* config, IProfile* device, IKeypadProfile* profile)
{
    CComPtr<IKeyMapManager> keymaps;
    std::vector<HeldKeymap> held;
    if (!GetServiceSubObject(device, IID_IKeyMapManager, keymaps))
        return false;
    RemoveStaleKeymaps(keymaps.Get(), profile, held);
    if (!WriteKeymapNames(keymaps.Get(), profile, held))
        return false;
    for (int i = 0; i < profile->GetKeymapCount() && !IsCancelled(); ++i) {
        CKeymap* keymap = profile->GetKeymap(i);
        CComPtr<IKeyMap> item;
        if (!LookUpKeymap(keymaps.Get(), held, keymap->GetGUID(), item) ||
            !WriteAssignments(config, keymaps.Get(), item.Get(), profile, keymap))
            return false;
    }
    CKeymap* current = profile->GetCurrentKeymap();
    CComPtr<IKeyMap> active;
    return current && LookUpKeymap(keymaps.Get(), held, current->GetGUID(), active) &&
           SUCCEEDED(keymaps->SetActive(active.Get()));
}

void CKeypad::RemoveStaleKeymaps(IKeyMapManager* keymaps, IKeypadProfile* profile, std::vector<HeldKeymap>& held)
{
    for (LONG i = 0;;) {
        CComPtr<IKeyMap> item;
        GUID id = {};
        if (FAILED(keymaps->Item(i, item.Receive())) || FAILED(item->GetId(&id)))
            return;
        if (profile->FindKeymapByGUID(id)) {
            held.push_back({ id, item });
            ++i;
            continue;
        }
        if (FAILED(keymaps->Delete(item.Get()))) {
            // The key map stays on the keypad: the local one at its place carries its name
            // and, when it has no id yet, takes this one's, so the key maps made for the
            // others are all new and no two local key maps share one on the keypad.
            CString name;
            CKeymap* local = profile->GetKeymap(static_cast<int>(i));
            if (local && ReadServiceName(item.Get(), name))
                local->SetName(name);
            if (local && IsNullGuid(local->GetGUID()))
                local->SetGUID(id);
            held.push_back({ id, item });
            ++i;
        }
    }
}

bool CKeypad::WriteKeymapNames(IKeyMapManager* keymaps, IKeypadProfile* profile, std::vector<HeldKeymap>& held)
{
    for (int i = 0; i < profile->GetKeymapCount(); ++i) {
        CKeymap* keymap = profile->GetKeymap(i);
        CComPtr<IKeyMap> item;
        if (IsNullGuid(keymap->GetGUID())) {
            // A keypad with all its key maps made already lends the one at this position.
            GUID id = {};
            if (FAILED(keymaps->Create(item.Receive())) && FAILED(keymaps->Item(i, item.Receive())))
                return false;
            if (FAILED(item->GetId(&id)))
                return false;
            keymap->SetGUID(id);
            held.push_back({ id, item });
        } else if (!LookUpKeymap(keymaps, held, keymap->GetGUID(), item)) {
            return false;
        }
        CString name;
        if (!ReadServiceName(item.Get(), name))
            return false;
        if (name.CompareNoCase(keymap->GetName()) != 0 && FAILED(item->SetName(keymap->GetName())))
            keymap->SetName(name);
    }
    return true;
}

bool CKeypad::LookUpKeymap(IKeyMapManager* keymaps, std::vector<HeldKeymap>& held, const GUID& id, CComPtr<IKeyMap>& out)
{
    for (const HeldKeymap& keymap : held) {
        if (IsEqualGUID(keymap.id, id)) {
            out = keymap.item;
            return true;
        }
    }
    if (!GetServiceItemById(keymaps, id, out))
        return false;
    held.push_back({ id, out });
    return true;
}

bool CKeypad::WriteAssignments(IKeypadConfig* config, IKeyMapManager* keymaps, IKeyMap* device, IKeypadProfile* profile,
    CKeymap* keymap)
{
    CComPtr<IButtonAssignments> buttons;
    CComPtr<IKeyAssignments> keys;
    if (!GetServiceSubObject(device, IID_IButtonAssignments, buttons) || !GetServiceSubObject(device, IID_IKeyAssignments, keys))
        return false;
    if (!ResolvePendingReferences(config, keymaps, profile, keymap))
        return false;
    // The service takes a key map's records in one call (all of them or none), so each
    // list goes out whole.
    std::vector<ServiceAssignment> records;
    for (uint32_t bit : m_keymapButtons) {
        const int button = DeviceBitToButton(bit);
        if (!profile->IsKeyItemChanged(0, button))
            continue;
        CAssignment assignment;
        config->GetButtonAssignment(&assignment, tKeypadButton(button), profile, keymap);
        records.push_back(MakeServiceAssignment(assignment, ButtonToDeviceCode(button)));
    }
    if (!records.empty() && FAILED(buttons->SetAssignment(static_cast<LONG>(records.size()), records.data())))
        return false;
    records.clear();
    for (uint32_t code : m_keymapKeyCodes) {
        // A code the key definitions do not know is left as the device has it.
        const int32_t keyId = KeyIdOfCode(code);
        if (keyId == 0)
            continue;
        CAssignment assignment;
        if (config->IsProfileEnabled(profile))
            config->GetKeyAssignment(&assignment, keyId, profile, keymap);
        else
            assignment.kind = kAssignButtonOff;
        uint32_t defaultCode = 0;
        if (assignment.kind == kAssignDefaultKey && DefaultCodeOfKey(keyId, defaultCode) && defaultCode == code)
            assignment.kind = kAssignSingleKey;
        records.push_back(MakeServiceAssignment(assignment, code));
    }
    // A key map that took no key record at all was not written.
    return !IsCancelled() && !records.empty() &&
           SUCCEEDED(keys->SetAssignments(static_cast<LONG>(records.size()), records.data()));
}

bool CKeypad::ResolvePendingReferences(IKeypadConfig* config, IKeyMapManager* keymaps, IKeypadProfile* profile,
    CKeymap* keymap)
{
    for (auto& entry : keymap->GetButtonAssignments()) {
        if (!ResolvePendingReference(config, keymaps, profile, entry.second))
            return false;
    }
    for (auto& entry : keymap->GetKeyAssignments()) {
        if (!ResolvePendingReference(config, keymaps, profile, entry.second))
            return false;
    }
    return true;
}

// The item a by-name assignment refers to is created on the device when it has no id
// yet, and the store's item takes the new id at once: every later step of this write,
// and every later write, then finds it by id and never creates it a second time.
bool CKeypad::ResolvePendingReference(IKeypadConfig* config, IKeyMapManager* keymaps, IKeypadProfile* profile,
    CAssignment& assignment)
{
    if (!IsNamedReferenceKind(assignment.kind))
        return true;
    GUID id = GUID_NULL;
    // A name the store does not know cannot be sent: the step fails rather than send an
    // assignment that refers to nothing.
    if (!FindReferencedId(*config, *profile, assignment, id))
        return false;
    if (IsNullGuid(id) && !CreateReferencedItem(config, keymaps, profile, GetReferenceName(assignment), assignment.kind, id))
        return false;
    ResolveToId(assignment, id);
    return true;
}

bool CKeypad::CreateReferencedItem(IKeypadConfig* config, IKeyMapManager* keymaps, IKeypadProfile* profile,
    const CString& name, int kind, GUID& id)
{
    switch (kind) {
    case kAssignMacroByName: {
        CMacro* macro = config->FindMacroByName(name);
        CComPtr<IMacroManager> macros;
        CComPtr<IMacro> item;
        if (!macro || !GetManager(IID_IMacroManager, macros) || FAILED(macros->Create(item.Receive())) ||
            FAILED(item->GetId(&id)))
            return false;
        macro->SetGUID(id);
        const std::vector<uint8_t> data = MacroEventsToMacroData(macro->m_events);
        return SUCCEEDED(item->SetName(macro->GetName())) &&
               SUCCEEDED(item->SetData(static_cast<DWORD>(data.size()), data.data()));
    }
    case kAssignProfileByName: {
        IKeypadProfile* referenced = config->FindProfileByName(name);
        CComPtr<IProfileManager> profiles;
        CComPtr<IProfile> item;
        if (!referenced || !GetManager(IID_IProfileManager, profiles) || FAILED(profiles->Create(item.Receive())) ||
            FAILED(item->GetId(&id)))
            return false;
        referenced->SetGUID(id);
        return SUCCEEDED(item->SetName(referenced->GetName()));
    }
    case kAssignKeymap31:
    case kAssignKeymap35: {
        CKeymap* referenced = profile->FindKeymapByName(name);
        CComPtr<IKeyMap> item;
        if (!referenced || FAILED(keymaps->Create(item.Receive())) || FAILED(item->GetId(&id)))
            return false;
        referenced->SetGUID(id);
        return SUCCEEDED(item->SetName(referenced->GetName()));
    }
    case kAssignLaunchProgramByName: {
        CKvApp* application = config->FindApplicationByName(name);
        CComPtr<IApplicationManager> applications;
        CComPtr<IApplication> item;
        if (!application || !GetManager(IID_IApplicationManager, applications) ||
            FAILED(applications->Create(item.Receive())) || FAILED(item->GetId(&id)))
            return false;
        application->m_id = id;
        return SUCCEEDED(item->SetPath(application->m_path));
    }
    default:
        return false;
    }
}

bool CKeypad::WriteLeds(IKeypadConfig* config, IProfile* device, IKeypadProfile* profile)
{
    CComPtr<ILedManager> leds;
    if (!GetServiceSubObject(device, IID_ILedManager, leds))
        return false;
    for (LONG i = 0;; ++i) {
        CComPtr<ILed> led;
        LONG deviceId = 0;
        if (FAILED(leds->Item(i, led.Receive())))
            return true;
        if (FAILED(led->GetLedId(&deviceId)))
            continue;
        const tLEDType type = tLEDType(LedIndexFromDeviceId(deviceId));
        if (profile->IsLedItemChanged(3, type))
            config->GetLedState(type, profile) ? led->TurnOn() : led->TurnOff();
        CComPtr<ILedColour> colour;
        CComPtr<ILedBrightness> brightness;
        CComPtr<ILedEffect> effect;
        QueryLedFacets(led.Get(), colour, brightness, effect);
        if (profile->IsLedItemChanged(4, type) && colour)
            colour->Set(config->GetLedColour(type, profile));
        // Brightness and effect go out changed or not, so an import or a reset on the
        // keypad never leaves it with other values than the store shows.
        if (brightness)
            brightness->Set(static_cast<LONG>(config->GetLedBrightness(type, profile)));
        if (effect)
            effect->Set(ClampEffect(config->GetLedEffect(type, profile)), 0, 0);
    }
}

bool CKeypad::RemoveStaleMacros(IKeypadConfig* config, IMacroManager* macros)
{
    for (LONG i = 0;;) {
        CComPtr<IMacro> device;
        GUID id = {};
        if (FAILED(macros->Item(i, device.Receive())) || FAILED(device->GetId(&id)))
            return true;
        // A macro the last read could not take is the user's still, though the store
        // does not show it: it is kept.
        if (config->FindMacroByGUID(id) || IsSkippedMacro(id)) {
            ++i;
            continue;
        }
        if (FAILED(macros->Delete(device.Get())))
            return false;
    }
}

bool CKeypad::IsSkippedMacro(const GUID& id) const
{
    for (const GUID& skipped : m_skippedMacros) {
        if (IsEqualGUID(skipped, id))
            return true;
    }
    return false;
}

bool CKeypad::WriteMacros(IKeypadConfig* config, IMacroManager* macros)
{
    for (int i = 0; i < config->GetMacroCount() && !IsCancelled(); ++i) {
        if (!config->IsItemChanged(12, i))
            continue;
        CMacro* macro = config->GetMacro(i);
        // A macro without events goes out as an empty block, which reads back as empty.
        const std::vector<uint8_t> data = MacroEventsToMacroData(macro->m_events);
        CComPtr<IMacro> device;
        // A macro made here is named at once; a found one only when its name differs.
        bool named = false;
        if (IsNullGuid(macro->m_id) || !GetServiceItemById(macros, macro->m_id, device)) {
            GUID id = {};
            if (FAILED(macros->Create(device.Receive())) || FAILED(device->GetId(&id)))
                return false;
            macro->SetGUID(id);
            if (FAILED(device->SetName(macro->GetName())))
                return false;
            named = true;
        }
        CString name;
        if (!named && (!ReadServiceName(device.Get(), name) ||
                          (name.CompareNoCase(macro->GetName()) != 0 && FAILED(device->SetName(macro->GetName())))))
            return false;
        if (FAILED(device->SetData(static_cast<DWORD>(data.size()), data.data())))
            return false;
    }
    return true;
}

bool CKeypad::ReadConfig(IKeypadConfig* config, uint16_t flags)
{
    ProfileWalk walk = TakeInitialWalk();
    if (!m_device || !config)
        return false;
    bool ok = true;
    if (HasFeature(1) && (flags & kFlagProfiles)) {
        CComPtr<IProfile> active;
        GUID activeId = {};
        if (!walk.manager && !GetManager(IID_IProfileManager, walk.manager))
            return false;
        if (SUCCEEDED(walk.manager->GetActive(active.Receive())))
            active->GetId(&activeId);
        if (!walk.named)
            WalkProfiles(walk);
        for (HeldProfile& device : walk.profiles) {
            IKeypadProfile* profile = config->FindProfileByGUID(device.id);
            if (!profile)
                continue;
            if (IsEqualGUID(device.id, activeId))
                config->SetActiveProfile(profile);
            ok = ReadProfileDetails(config, device, profile, false, walk.named) && ok;
            profile->AcceptChanges();
        }
    }
    if (HasFeature(4) && (flags & kFlagMacros)) {
        CComPtr<IMacroManager> macros;
        if (!GetManager(IID_IMacroManager, macros))
            return false;
        m_skippedMacros.clear();
        for (LONG i = 0;; ++i) {
            CComPtr<IMacro> device;
            if (FAILED(macros->Item(i, device.Receive())))
                break;
            // One unreadable macro is skipped and remembered, so no write deletes it as
            // stale; the rest still load.
            GUID id = {};
            if (!ReadMacro(config, device.Get()) && SUCCEEDED(device->GetId(&id)))
                m_skippedMacros.push_back(id);
        }
    }
    config->AcceptChanges();
    return ok;
}

bool CKeypad::ReadProfileDetails(IKeypadConfig* config, HeldProfile& device, IKeypadProfile* profile, bool keymapsByName,
    bool named)
{
    bool ok = true;
    if (HasFeature(7))
        ok = ReadProperties(device, profile, named);
    if (HasFeature(17)) {
        CComPtr<IKeyMap> activeKeymap;
        GUID activeId = {};
        if (!WalkKeymaps(device))
            return false;
        if (keymapsByName)
            profile->RemoveAllKeymaps();
        if (SUCCEEDED(device.keymaps->GetActive(activeKeymap.Receive())))
            activeKeymap->GetId(&activeId);
        for (HeldKeymap& item : device.keymapItems) {
            CKeymap* keymap = profile->FindKeymapByGUID(item.id);
            if (!keymap && keymapsByName) {
                CString name;
                if (!ReadServiceName(item.item.Get(), name))
                    return false;
                keymap = profile->AddKeymap(name);
                keymap->SetGUID(item.id);
            }
            if (!keymap)
                continue;
            if (IsEqualGUID(item.id, activeId))
                profile->SetCurrentKeymap(keymap);
            ok = ReadKeymapAssignments(config, item.item.Get(), profile, keymap) && ok;
        }
        // The device named no active key map of this profile: the first one stands in, so
        // the profile never lacks a current key map.
        if (!profile->GetCurrentKeymap())
            profile->SetCurrentKeymap(profile->GetKeymap(0));
    }
    if (HasFeature(5))
        ok = ReadLeds(config, device.item.Get(), profile) && ok;
    return ok;
}

bool CKeypad::WalkKeymaps(HeldProfile& device)
{
    if (device.keymaps)
        return true;
    if (!GetServiceSubObject(device.item.Get(), IID_IKeyMapManager, device.keymaps))
        return false;
    device.keymapItems.clear();
    for (LONG i = 0;; ++i) {
        HeldKeymap keymap = {};
        if (FAILED(device.keymaps->Item(i, keymap.item.Receive())) || FAILED(keymap.item->GetId(&keymap.id)))
            return true;
        device.keymapItems.push_back(std::move(keymap));
    }
}

bool CKeypad::ReadProperties(HeldProfile& device, IKeypadProfile* profile, bool named)
{
    if (!named) {
        CString name;
        if (!ReadServiceName(device.item.Get(), name))
            return false;
        profile->SetName(name);
        profile->SetGUID(device.id);
    }
    CComPtr<IProfileProperties> properties;
    if (!GetServiceSubObject(device.item.Get(), IID_IProfileProperties, properties))
        return false;
    wchar_t buffer[kApplicationBytes / sizeof(wchar_t) + 1] = {};
    DWORD stored = 0;
    uint16_t flags = 0;
    if (SUCCEEDED(properties->GetProperty(kPropertyApplication, reinterpret_cast<BYTE*>(buffer), 0, kApplicationBytes,
            &stored)) &&
        stored != 0) {
        profile->SetApplicationName(buffer);
        if (ReadFlags(properties.Get(), flags))
            profile->SetAutoSwitch((flags & 1) != 0);
    }
    if (ReadFlags(properties.Get(), flags)) {
        profile->SetOption((flags & 2) != 0);
        profile->SetOsdEnabled((flags & 4) != 0);
    }
    return true;
}

bool CKeypad::ReadKeymapAssignments(IKeypadConfig* config, IKeyMap* device, IKeypadProfile* profile, CKeymap* keymap)
{
    CComPtr<IButtonAssignments> buttons;
    CComPtr<IKeyAssignments> keys;
    if (!GetServiceSubObject(device, IID_IButtonAssignments, buttons) || !GetServiceSubObject(device, IID_IKeyAssignments, keys))
        return false;
    if (!m_keymapButtons.empty()) {
        std::vector<ServiceAssignment> records(m_keymapButtons.size());
        if (FAILED(buttons->GetAll(static_cast<LONG>(records.size()), records.data())))
            return false;
        for (const ServiceAssignment& record : records) {
            const int button = DeviceCodeToButton(record.code);
            const CAssignment assignment = ReadServiceAssignment(record);
            if (button != 0 && assignment.kind >= 0)
                config->SetButtonAssignment(tKeypadButton(button), assignment, profile, keymap);
        }
    }
    LONG count = 0;
    if (FAILED(keys->GetCount(&count)) || count < 0)
        return false;
    std::vector<ServiceAssignment> records(static_cast<size_t>(count));
    if (count > 0 && FAILED(keys->GetAll(count, records.data())))
        return false;
    for (const ServiceAssignment& record : records) {
        const int32_t keyId = KeyIdOfCode(record.code);
        CAssignment assignment = ReadServiceAssignment(record);
        if (keyId == 0 || assignment.kind < 0)
            continue;
        // The key's own default keystroke: its scan code, and its group as the modifier
        // byte (an E0 key goes out with the extended bit).
        uint32_t defaultCode = 0;
        const uint32_t keyCode = assignment.GetWord(0) & 0xFFFF;
        if (assignment.kind == kAssignSingleKey && DefaultCodeOfKey(keyId, defaultCode) && defaultCode == record.code &&
            keyCode == (record.code & 0xFFFF) && assignment.payload[4] == KeyGroupOfDeviceCode(record.code))
            assignment.kind = kAssignDefaultKey;
        config->SetKeyAssignment(keyId, assignment, profile, keymap);
    }
    config->SetProfileEnabled(true, profile);
    return true;
}

bool CKeypad::ReadLeds(IKeypadConfig* config, IProfile* device, IKeypadProfile* profile)
{
    CComPtr<ILedManager> leds;
    if (!GetServiceSubObject(device, IID_ILedManager, leds))
        return false;
    for (LONG i = 0;; ++i) {
        CComPtr<ILed> led;
        LONG deviceId = 0;
        if (FAILED(leds->Item(i, led.Receive())))
            return true;
        if (FAILED(led->GetLedId(&deviceId)))
            continue;
        const tLEDType type = tLEDType(LedIndexFromDeviceId(deviceId));
        LONG on = 0;
        if (SUCCEEDED(led->GetState(&on)))
            config->SetLedState(type, on != 0, profile);
        CComPtr<ILedColour> colour;
        CComPtr<ILedBrightness> brightness;
        CComPtr<ILedEffect> effect;
        QueryLedFacets(led.Get(), colour, brightness, effect);
        LONG percent = 0;
        if (brightness && SUCCEEDED(brightness->Get(&percent)))
            config->SetLedBrightness(type, static_cast<unsigned int>(percent), profile);
        DWORD value = 0;
        if (colour && SUCCEEDED(colour->Get(&value)))
            config->SetLedColour(type, value, profile);
        LONG kind = 0, onMs = 0, offMs = 0;
        if (effect && SUCCEEDED(effect->Get(&kind, &onMs, &offMs)))
            config->SetLedEffect(type, ClampEffect(kind), profile);
    }
}

bool CKeypad::ReadMacro(IKeypadConfig* config, IMacro* device)
{
    CString name;
    GUID id = {};
    DWORD size = 0;
    BYTE* data = nullptr;
    if (!ReadServiceName(device, name) || FAILED(device->GetId(&id)) || FAILED(device->GetData(&size, &data)))
        return false;
    std::vector<CMacroEvent> events;
    // An empty block is an empty macro; a malformed one is not taken.
    const bool empty = size >= 8 && data && data[4] == 0 && data[5] == 0 && data[6] == 0 && data[7] == 0;
    const bool read = empty || MacroDataToMacroEvents(data, size, events);
    CoTaskMemFree(data);
    if (!read)
        return false;
    CMacro* macro = config->AddMacro(UniqueMacroName(config, name));
    if (!macro)
        return false;
    macro->SetGUID(id);
    macro->m_events = events;
    return true;
}
