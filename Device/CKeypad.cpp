#include "CKeypad.h"

#include "CNullKeypad.h"
#include "KeyTranslation.h"
#include "ServiceCalls.h"

#include <memory>

namespace
{
const int32_t kKeypadFeatures[] = { 1, 17, 4, 5, 6, 7, 8 };
const CDeviceDescriptor kKeypadDescriptor = { 0x0111, kKeypadFeatures, 7, L"Kavro Velmora" };

IGenDevice<IKeypadConfig*, IKeypadProfile*>* g_appDevice = nullptr;

// The set bits of the mask from 1 upward, at most count of them; false when the call
// failed or the device names no button.
bool ReadAvailableButtons(IButtonAssignments* buttons, std::vector<uint32_t>& list)
{
    list.clear();
    AvailableButtons available = {};
    if (!buttons || FAILED(buttons->GetAvailable(&available)) || available.count == 0)
        return false;
    for (uint32_t bit = 1; bit && bit <= 0x400000 && list.size() < available.count; bit <<= 1) {
        if (available.mask & bit)
            list.push_back(bit);
    }
    return true;
}

bool ReadKeyCodes(IKeyAssignments* keys, std::vector<uint32_t>& list)
{
    list.clear();
    LONG count = 0;
    if (!keys || FAILED(keys->GetCount(&count)) || count <= 0)
        return false;
    std::vector<ServiceAssignment> records(static_cast<size_t>(count));
    if (FAILED(keys->GetAll(count, records.data())))
        return false;
    for (const ServiceAssignment& record : records)
        list.push_back(record.code);
    return true;
}
}

CKeypad::CKeypad(const IKeyDefaults* keys)
    : CBaseDevice(&kKeypadDescriptor)
    , m_keys(keys)
{
}

CKeypad::~CKeypad()
{
    StopWorker();
}

void CKeypad::Shutdown()
{
    m_initialWalk = ProfileWalk();
    CBaseDevice::Shutdown();
}

bool CKeypad::Initialize(IKeypadConfig* config)
{
    InitKeyTranslationTables();
    if (!config)
        return false;
    CConnection connection(*this);
    bool ok = static_cast<bool>(connection);
    if (!ok)
        return false;
    m_initialWalkConnection = ConnectionCount();
    if (HasFeature(6))
        ok = ReadVersions();
    if (HasFeature(1))
        ok = ReadProfiles(config, ok);
    if (HasFeature(14))
        config->Reserved();
    return ok && m_device;
}

bool CKeypad::ReadVersions()
{
    DeviceInfo info = {};
    bool read = SUCCEEDED(m_device->GetInfo(&info));
    if (read)
        CoTaskMemFree(info.name);
    m_versionA = VersionText(read, info.versionAMajor, info.versionAMinor);
    m_versionB = VersionText(read, info.versionBMajor, info.versionBMinor);
    return read;
}

bool CKeypad::ReadProfiles(IKeypadConfig* config, bool ok)
{
    config->RemoveAllProfiles();
    ProfileWalk walk;
    m_initialWalk = ProfileWalk();
    if (!GetManager(IID_IProfileManager, walk.manager))
        return false;
    for (LONG i = 0; ok; ++i) {
        HeldProfile device = {};
        if (FAILED(walk.manager->Item(i, device.item.Receive())))
            break;
        CString name;
        if (!ReadServiceName(device.item.Get(), name)) {
            ok = false;
            break;
        }
        IKeypadProfile* profile = config->CreateProfile(name);
        if (FAILED(device.item->GetId(&device.id)))
            break;
        profile->SetGUID(device.id);
        if (HasFeature(17)) {
            IKeypadProfile* found = config->FindProfileByGUID(device.id);
            if (!found)
                break;
            ReadKeymapNames(device, found);
        }
        walk.profiles.push_back(std::move(device));
    }
    if (!ok || !ReadActiveProfileLists(walk))
        return false;
    walk.named = true;
    m_initialWalk = std::move(walk);
    return true;
}

bool CKeypad::ReadKeymapNames(HeldProfile& device, IKeypadProfile* profile)
{
    profile->RemoveAllKeymaps();
    if (!GetServiceSubObject(device.item.Get(), IID_IKeyMapManager, device.keymaps))
        return false;
    for (LONG i = 0;; ++i) {
        HeldKeymap keymap = {};
        if (FAILED(device.keymaps->Item(i, keymap.item.Receive()))) {
            // Until a read names the device's active key map, the first one is current.
            profile->SetCurrentKeymap(profile->GetKeymap(0));
            return true;
        }
        CString name;
        if (!ReadServiceName(keymap.item.Get(), name) || FAILED(keymap.item->GetId(&keymap.id)))
            return false;
        profile->AddKeymap(name)->SetGUID(keymap.id);
        device.keymapItems.push_back(std::move(keymap));
    }
}

// The lists of the active profile's active key map: which buttons it can assign and
// which key codes it has. The active profile's key-map manager comes from the walk when
// the walk holds it.
bool CKeypad::ReadActiveProfileLists(const ProfileWalk& walk)
{
    CComPtr<IProfile> active;
    GUID id = {};
    if (FAILED(walk.manager->GetActive(active.Receive())) || FAILED(active->GetId(&id)))
        return false;
    if (!HasFeature(17))
        return true;
    CComPtr<IKeyMapManager> keymaps;
    for (const HeldProfile& device : walk.profiles) {
        if (IsEqualGUID(device.id, id))
            keymaps = device.keymaps;
    }
    CComPtr<IKeyMap> keymap;
    CComPtr<IKeyAssignments> keys;
    CComPtr<IButtonAssignments> buttons;
    if (!keymaps && !GetServiceSubObject(active.Get(), IID_IKeyMapManager, keymaps))
        return false;
    if (FAILED(keymaps->GetActive(keymap.Receive())))
        return false;
    if (!GetServiceSubObject(keymap.Get(), IID_IKeyAssignments, keys) || !ReadKeyCodes(keys.Get(), m_keymapKeyCodes))
        return false;
    return GetServiceSubObject(keymap.Get(), IID_IButtonAssignments, buttons) &&
           ReadAvailableButtons(buttons.Get(), m_keymapButtons);
}

CKeypad::ProfileWalk CKeypad::TakeInitialWalk()
{
    ProfileWalk walk = std::move(m_initialWalk);
    m_initialWalk = ProfileWalk();
    if (ConnectionCount() != m_initialWalkConnection + 1)
        return ProfileWalk();
    return walk;
}

bool CKeypad::WalkProfiles(ProfileWalk& walk)
{
    walk.profiles.clear();
    for (LONG i = 0;; ++i) {
        HeldProfile device = {};
        if (FAILED(walk.manager->Item(i, device.item.Receive())) || FAILED(device.item->GetId(&device.id)))
            return true;
        walk.profiles.push_back(std::move(device));
    }
}

bool CKeypad::ImportMacro(CString path, IKeypadConfig* config)
{
    CConnection connection(*this);
    CComPtr<IMacroManager> macros;
    CComPtr<IMacro> imported;
    if (!config || !connection || !GetManager(IID_IMacroManager, macros) ||
        FAILED(macros->ImportFromFile(path, imported.Receive())))
        return false;
    return ReadMacro(config, imported.Get());
}

bool CKeypad::ExportMacro(CString path, CMacro* macro)
{
    return CBaseDevice::ExportMacro(path, macro);
}

bool CKeypad::ImportProfile(CString path, IKeypadConfig* config)
{
    if (!config || !HasFeature(1))
        return false;
    CConnection connection(*this);
    CComPtr<IProfileManager> profiles;
    CComPtr<IProfile> imported;
    if (!connection || !GetManager(IID_IProfileManager, profiles) ||
        FAILED(profiles->ImportFromFile(path, imported.Receive())))
        return false;
    CString name;
    HeldProfile device = {};
    if (!ReadServiceName(imported.Get(), name) || FAILED(imported->GetId(&device.id)))
        return false;
    device.item = imported;
    IKeypadProfile* profile = config->CreateProfile(name);
    profile->SetGUID(device.id);
    if (ReadProfileDetails(config, device, profile, true, true))
        return true;
    // A profile that could not be read whole is not kept half-filled.
    config->DeleteProfile(profile);
    return false;
}

bool CKeypad::ExportProfile(CString path, IKeypadProfile* profile)
{
    return CBaseDevice::ExportProfile(path, profile);
}

bool CKeypad::SetMode(LONG mode)
{
    CConnection connection(*this);
    CComPtr<IDeviceMode> deviceMode;
    return connection && GetManager(IID_IDeviceMode, deviceMode) && SUCCEEDED(deviceMode->SetMode(mode));
}

bool CKeypad::EnterCaptureMode()
{
    return SetMode(2);
}

bool CKeypad::LeaveCaptureMode()
{
    return SetMode(1);
}

bool CKeypad::SyncConfig(IKeypadConfig* config, int mode, uint16_t flags)
{
    if (!config || (mode != 0 && mode != 1) || IsBusy())
        return false;
    FinishWrite(config);
    if (mode == 1)
        return RunSynchronous(this, config, flags, &CKeypad::ReadConfig);
    // What Initialize walked does not outlive a write.
    m_initialWalk = ProfileWalk();
    // The worker never sees the live store: the user may edit it while the write runs.
    m_written = config->CreateSnapshot();
    m_writtenFrom = config;
    if (m_written && StartWorker(this, m_written.get(), flags, &CKeypad::WriteConfig))
        return true;
    m_written.reset();
    m_writtenFrom = nullptr;
    return false;
}

bool CKeypad::FinishWrite(IKeypadConfig* config)
{
    if (IsBusy() || !m_written || !config)
        return false;
    const std::unique_ptr<IKeypadConfig> written = std::move(m_written);
    const bool same = config == m_writtenFrom;
    m_writtenFrom = nullptr;
    if (same)
        config->AcceptWritten(written.get());
    return same;
}

std::vector<CString> CKeypad::GetProfilesWithoutApplication()
{
    return IsBusy() ? std::vector<CString>() : m_profilesWithoutApplication;
}

bool CKeypad::GetVersionText(CString& out)
{
    out = m_versionA;
    return true;
}

int32_t CKeypad::KeyIdOfCode(uint32_t code) const
{
    if (!m_keys)
        return 0;
    return m_keys->FindKeyByScanCode((code & 0xFFFF) | static_cast<uint32_t>(KeyGroupOfDeviceCode(code)) << 16);
}

bool CKeypad::DefaultCodeOfKey(int32_t keyId, uint32_t& code) const
{
    uint16_t scanCode = 0;
    uint8_t group = 0;
    if (!m_keys || !m_keys->GetDefaultKeystroke(keyId, scanCode, group))
        return false;
    code = scanCode | (group == 1 ? 0x20000u : (group == 2 ? 0x40000u : 0u));
    return true;
}

IGenDevice<IKeypadConfig*, IKeypadProfile*>* CreateKeypadDevice(IKeypadConfig* config, const IKeyDefaults* keys)
{
    DestroyAppObjects();
    auto keypad = std::make_unique<CKeypad>(keys);
    if (keypad->Initialize(config)) {
        g_appDevice = keypad.release();
        return g_appDevice;
    }
    keypad.reset();
    auto offline = std::make_unique<CNullKeypad>();
    offline->Initialize(config);
    g_appDevice = offline.release();
    return g_appDevice;
}

void DestroyAppObjects()
{
    delete g_appDevice;
    g_appDevice = nullptr;
}
