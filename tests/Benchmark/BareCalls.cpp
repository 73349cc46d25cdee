#include "BareCalls.h"

#include "GuidText.h"

#include <objbase.h>

namespace
{
constexpr DWORD kPropertyApplication = 0x80000002;
constexpr DWORD kPropertyFlags = 0x80000003;
constexpr DWORD kProductId = 0x0111;

template <class Manager, class Item>
bool ById(Manager* manager, const GUID& id, CComPtr<Item>& out, CallCounts& count)
{
    uint32_t w[4];
    GuidToWords(id, w);
    return SUCCEEDED(count(L"GetById", manager->GetById(w[0], w[1], w[2], w[3], out.Receive())));
}

template <class T, class Item>
bool SubObject(Item* item, REFIID iid, CComPtr<T>& out, CallCounts& count)
{
    return SUCCEEDED(count(L"GetSubObject", item->GetSubObject(iid, reinterpret_cast<IUnknown**>(out.Receive()))));
}

template <class T>
bool Manager(IDevice* device, REFIID iid, CComPtr<T>& out, CallCounts& count)
{
    return SUCCEEDED(count(L"IDevice::GetManager", device->GetManager(iid, reinterpret_cast<IUnknown**>(out.Receive()))));
}

template <class Item>
bool ReadName(Item* item, CallCounts& count)
{
    LPWSTR name = nullptr;
    if (FAILED(count(L"GetName", item->GetName(&name))))
        return false;
    CoTaskMemFree(name);
    return true;
}

template <class Q, class T>
bool Query(const CComPtr<T>& item, REFIID iid, CComPtr<Q>& out, CallCounts& count)
{
    return SUCCEEDED(count(L"QueryInterface", item.QueryInterface(iid, out)));
}

// Every device profile's id, as the check for stale profiles reads them.
bool ReadProfileIds(IProfileManager* profiles, CallCounts& count)
{
    for (LONG i = 0;; ++i) {
        CComPtr<IProfile> item;
        GUID id = {};
        if (FAILED(count(L"IProfileManager::Item", profiles->Item(i, item.Receive()))))
            return true;
        if (FAILED(count(L"GetId", item->GetId(&id))))
            return false;
    }
}

bool WriteProperties(IProfile* device, const ProfilePlan& plan, CallCounts& count)
{
    CComPtr<IProfileProperties> properties;
    if (!SubObject(device, IID_IProfileProperties, properties, count) || FAILED(count(L"IProfile::SetName", device->SetName(plan.name))) ||
        FAILED(count(L"IProfileProperties::SetProperty",
            properties->SetProperty(kPropertyApplication, plan.application, 0, sizeof(plan.application), 0))))
        return false;
    for (const uint16_t* flag : plan.flags) {
        if (FAILED(count(L"IProfileProperties::SetProperty",
                properties->SetProperty(kPropertyFlags, reinterpret_cast<const BYTE*>(flag), 0, 4, 0))))
            return false;
    }
    return true;
}

// One LED as the device layer writes it: state, colour, brightness and effect, each
// facet's interface queried on the LED.
bool WriteLed(ILed* item, const LedPlan& led, CallCounts& count)
{
    CComPtr<ILed> held(item);
    if (led.stateChanged && FAILED(led.on ? count(L"ILed::TurnOn", item->TurnOn()) : count(L"ILed::TurnOff", item->TurnOff())))
        return false;
    CComPtr<ILedColour> colour;
    CComPtr<ILedBrightness> brightness;
    CComPtr<ILedEffect> effect;
    if (led.colourChanged &&
        (!Query(held, IID_ILedColour, colour, count) || FAILED(count(L"ILedColour::Set", colour->Set(led.colour)))))
        return false;
    return Query(held, IID_ILedBrightness, brightness, count) &&
           SUCCEEDED(count(L"ILedBrightness::Set", brightness->Set(led.brightness))) &&
           Query(held, IID_ILedEffect, effect, count) && SUCCEEDED(count(L"ILedEffect::Set", effect->Set(led.effect, 0, 0)));
}

bool WriteLeds(IProfile* device, const ProfilePlan& plan, CallCounts& count)
{
    CComPtr<ILedManager> leds;
    if (!SubObject(device, IID_ILedManager, leds, count))
        return false;
    for (LONG i = 0;; ++i) {
        CComPtr<ILed> led;
        LONG id = 0;
        if (FAILED(count(L"ILedManager::Item", leds->Item(i, led.Receive()))))
            return true;
        if (FAILED(count(L"ILed::GetLedId", led->GetLedId(&id))) || id < 1 || id > 11 ||
            !WriteLed(led.Get(), plan.leds[id - 1], count))
            return false;
    }
}

struct HeldKeymap
{
    GUID id;
    CComPtr<IKeyMap> item;
};

// The device key maps' ids read in order; the items are kept when held is given.
bool ReadKeymapIds(IKeyMapManager* keymaps, CallCounts& count, std::vector<HeldKeymap>* held)
{
    for (LONG i = 0;; ++i) {
        CComPtr<IKeyMap> item;
        GUID id = {};
        if (FAILED(count(L"IKeyMapManager::Item", keymaps->Item(i, item.Receive()))))
            return true;
        if (FAILED(count(L"GetId", item->GetId(&id))))
            return false;
        if (held)
            held->push_back({ id, item });
    }
}

IKeyMap* FindHeld(const std::vector<HeldKeymap>& held, const GUID& id)
{
    for (const HeldKeymap& keymap : held) {
        if (IsEqualGUID(keymap.id, id))
            return keymap.item.Get();
    }
    return nullptr;
}

bool SendRecords(IKeyMap* item, const KeymapPlan& keymap, bool batched, CallCounts& count)
{
    CComPtr<IButtonAssignments> buttons;
    CComPtr<IKeyAssignments> keys;
    if (!SubObject(item, IID_IButtonAssignments, buttons, count) || !SubObject(item, IID_IKeyAssignments, keys, count))
        return false;
    if (batched)
        return (keymap.buttons.empty() ||
                   SUCCEEDED(count(L"IButtonAssignments::SetAssignment",
                       buttons->SetAssignment(static_cast<LONG>(keymap.buttons.size()), keymap.buttons.data())))) &&
               SUCCEEDED(count(L"IKeyAssignments::SetAssignments",
                   keys->SetAssignments(static_cast<LONG>(keymap.keys.size()), keymap.keys.data())));
    for (const ServiceAssignment& record : keymap.buttons) {
        if (FAILED(count(L"IButtonAssignments::SetAssignment", buttons->SetAssignment(1, &record))))
            return false;
    }
    for (const ServiceAssignment& record : keymap.keys) {
        if (FAILED(count(L"IKeyAssignments::SetAssignments", keys->SetAssignments(1, &record))))
            return false;
    }
    return true;
}

bool WriteKeymapsPerRecord(IProfile* device, const ProfilePlan& plan, CallCounts& count)
{
    CComPtr<IKeyMapManager> keymaps;
    if (!SubObject(device, IID_IKeyMapManager, keymaps, count) || !ReadKeymapIds(keymaps.Get(), count, nullptr))
        return false;
    for (const KeymapPlan& keymap : plan.keymaps) {
        CComPtr<IKeyMap> item;
        if (!ById(keymaps.Get(), keymap.id, item, count) || !ReadName(item.Get(), count))
            return false;
    }
    for (const KeymapPlan& keymap : plan.keymaps) {
        CComPtr<IKeyMap> item;
        if (!ById(keymaps.Get(), keymap.id, item, count) || !SendRecords(item.Get(), keymap, false, count))
            return false;
    }
    CComPtr<IKeyMap> active;
    return ById(keymaps.Get(), plan.currentKeymap, active, count) &&
           SUCCEEDED(count(L"IKeyMapManager::SetActive", keymaps->SetActive(active.Get())));
}

bool WriteKeymapsBatched(IProfile* device, const ProfilePlan& plan, CallCounts& count)
{
    CComPtr<IKeyMapManager> keymaps;
    std::vector<HeldKeymap> held;
    if (!SubObject(device, IID_IKeyMapManager, keymaps, count) || !ReadKeymapIds(keymaps.Get(), count, &held))
        return false;
    for (const KeymapPlan& keymap : plan.keymaps) {
        IKeyMap* item = FindHeld(held, keymap.id);
        if (!item || !ReadName(item, count) || !SendRecords(item, keymap, true, count))
            return false;
    }
    IKeyMap* active = FindHeld(held, plan.currentKeymap);
    return active && SUCCEEDED(count(L"IKeyMapManager::SetActive", keymaps->SetActive(active)));
}

bool WriteMacros(IDevice* device, const WritePlan& plan, bool readNewName, CallCounts& count)
{
    CComPtr<IMacroManager> macros;
    CComPtr<IMacro> first;
    if (!Manager(device, IID_IMacroManager, macros, count))
        return false;
    // The check for stale macros: the device has none yet.
    count(L"IMacroManager::Item", macros->Item(0, first.Receive()));
    for (const MacroPlan& macro : plan.macros) {
        CComPtr<IMacro> item;
        GUID id = {};
        if (FAILED(count(L"IMacroManager::Create", macros->Create(item.Receive()))) ||
            FAILED(count(L"GetId", item->GetId(&id))) || (readNewName && !ReadName(item.Get(), count)) ||
            FAILED(count(L"IMacro::SetName", item->SetName(macro.name))) ||
            FAILED(count(L"IMacro::SetData", item->SetData(static_cast<DWORD>(macro.data.size()), macro.data.data()))))
            return false;
    }
    return true;
}

bool SetActiveProfile(IProfileManager* profiles, const WritePlan& plan, CallCounts& count)
{
    CComPtr<IProfile> active;
    return ById(profiles, plan.activeProfile, active, count) &&
           SUCCEEDED(count(L"IProfileManager::SetActive", profiles->SetActive(active.Get())));
}
}

bool BareConnect(CComPtr<IDevice>& device, CallCounts& count)
{
    CComPtr<IDeviceList> list;
    if (FAILED(count(L"CoCreateInstance", CoCreateInstance(CLSID_DeviceService, nullptr, CLSCTX_LOCAL_SERVER,
            IID_IDeviceList, reinterpret_cast<void**>(list.Receive())))))
        return false;
    for (LONG i = 0;; ++i) {
        CComPtr<IDevice> item;
        DeviceInfo info = {};
        if (FAILED(count(L"IDeviceList::Item", list->Item(i, item.Receive()))))
            return false;
        if (FAILED(count(L"IDevice::GetInfo", item->GetInfo(&info))))
            continue;
        CoTaskMemFree(info.name);
        if (info.productId == kProductId) {
            device = item;
            return true;
        }
    }
}

bool BareWritePerRecord(IDevice* device, const WritePlan& plan, CallCounts& count)
{
    CComPtr<IProfileManager> profiles;
    if (!Manager(device, IID_IProfileManager, profiles, count) || !ReadProfileIds(profiles.Get(), count))
        return false;
    for (const ProfilePlan& profile : plan.profiles) {
        CComPtr<IProfile> checked;
        CComPtr<IProfile> item;
        if (!ById(profiles.Get(), profile.id, checked, count) || !ReadName(checked.Get(), count) ||
            !ById(profiles.Get(), profile.id, item, count) || !WriteProperties(item.Get(), profile, count) ||
            !WriteKeymapsPerRecord(item.Get(), profile, count) || !WriteLeds(item.Get(), profile, count))
            return false;
    }
    return SetActiveProfile(profiles.Get(), plan, count) && ReadProfileIds(profiles.Get(), count) &&
           WriteMacros(device, plan, true, count);
}

bool BareWriteBatched(IDevice* device, const WritePlan& plan, CallCounts& count)
{
    CComPtr<IProfileManager> profiles;
    if (!Manager(device, IID_IProfileManager, profiles, count) || !ReadProfileIds(profiles.Get(), count))
        return false;
    for (const ProfilePlan& profile : plan.profiles) {
        CComPtr<IProfile> item;
        if (!ById(profiles.Get(), profile.id, item, count) || !ReadName(item.Get(), count) ||
            !WriteProperties(item.Get(), profile, count) || !WriteKeymapsBatched(item.Get(), profile, count) ||
            !WriteLeds(item.Get(), profile, count))
            return false;
    }
    return SetActiveProfile(profiles.Get(), plan, count) && WriteMacros(device, plan, false, count);
}

namespace
{
bool ReadProperties(IProfile* device, CallCounts& count)
{
    CComPtr<IProfileProperties> properties;
    GUID id = {};
    BYTE application[256] = {};
    DWORD stored = 0;
    uint16_t flags = 0;
    if (!ReadName(device, count) || FAILED(count(L"GetId", device->GetId(&id))) ||
        !SubObject(device, IID_IProfileProperties, properties, count))
        return false;
    if (SUCCEEDED(count(L"IProfileProperties::GetProperty",
            properties->GetProperty(kPropertyApplication, application, 0, sizeof(application), &stored))) &&
        stored != 0)
        count(L"IProfileProperties::GetProperty",
            properties->GetProperty(kPropertyFlags, reinterpret_cast<BYTE*>(&flags), 0, 2, &stored));
    return SUCCEEDED(count(L"IProfileProperties::GetProperty",
        properties->GetProperty(kPropertyFlags, reinterpret_cast<BYTE*>(&flags), 0, 2, &stored)));
}

bool ReadKeymap(IKeyMap* item, size_t buttonCount, CallCounts& count)
{
    CComPtr<IButtonAssignments> buttons;
    CComPtr<IKeyAssignments> keys;
    std::vector<ServiceAssignment> buttonRecords(buttonCount);
    LONG keyCount = 0;
    if (!SubObject(item, IID_IButtonAssignments, buttons, count) || !SubObject(item, IID_IKeyAssignments, keys, count) ||
        FAILED(count(L"IButtonAssignments::GetAll", buttons->GetAll(static_cast<LONG>(buttonCount), buttonRecords.data()))) ||
        FAILED(count(L"IKeyAssignments::GetCount", keys->GetCount(&keyCount))) || keyCount <= 0)
        return false;
    std::vector<ServiceAssignment> keyRecords(static_cast<size_t>(keyCount));
    return SUCCEEDED(count(L"IKeyAssignments::GetAll", keys->GetAll(keyCount, keyRecords.data())));
}

bool ReadKeymaps(IProfile* device, size_t buttonCount, CallCounts& count)
{
    CComPtr<IKeyMapManager> keymaps;
    CComPtr<IKeyMap> active;
    GUID activeId = {};
    if (!SubObject(device, IID_IKeyMapManager, keymaps, count) ||
        FAILED(count(L"IKeyMapManager::GetActive", keymaps->GetActive(active.Receive()))) ||
        FAILED(count(L"GetId", active->GetId(&activeId))))
        return false;
    for (LONG i = 0;; ++i) {
        CComPtr<IKeyMap> item;
        GUID id = {};
        if (FAILED(count(L"IKeyMapManager::Item", keymaps->Item(i, item.Receive()))))
            return true;
        if (FAILED(count(L"GetId", item->GetId(&id))) || !ReadKeymap(item.Get(), buttonCount, count))
            return false;
    }
}

bool ReadLed(const CComPtr<ILed>& led, CallCounts& count)
{
    LONG on = 0;
    LONG percent = 0;
    DWORD colour = 0;
    LONG effect = 0, onMs = 0, offMs = 0;
    CComPtr<ILedBrightness> brightness;
    CComPtr<ILedColour> colours;
    CComPtr<ILedEffect> effects;
    return SUCCEEDED(count(L"ILed::GetState", led->GetState(&on))) && Query(led, IID_ILedBrightness, brightness, count) &&
           SUCCEEDED(count(L"ILedBrightness::Get", brightness->Get(&percent))) && Query(led, IID_ILedColour, colours, count) &&
           SUCCEEDED(count(L"ILedColour::Get", colours->Get(&colour))) && Query(led, IID_ILedEffect, effects, count) &&
           SUCCEEDED(count(L"ILedEffect::Get", effects->Get(&effect, &onMs, &offMs)));
}

bool ReadLeds(IProfile* device, CallCounts& count)
{
    CComPtr<ILedManager> leds;
    if (!SubObject(device, IID_ILedManager, leds, count))
        return false;
    for (LONG i = 0;; ++i) {
        CComPtr<ILed> led;
        LONG id = 0;
        if (FAILED(count(L"ILedManager::Item", leds->Item(i, led.Receive()))))
            return true;
        if (FAILED(count(L"ILed::GetLedId", led->GetLedId(&id))) || !ReadLed(led, count))
            return false;
    }
}

bool ReadMacros(IDevice* device, CallCounts& count)
{
    CComPtr<IMacroManager> macros;
    if (!Manager(device, IID_IMacroManager, macros, count))
        return false;
    for (LONG i = 0;; ++i) {
        CComPtr<IMacro> item;
        GUID id = {};
        DWORD size = 0;
        BYTE* data = nullptr;
        if (FAILED(count(L"IMacroManager::Item", macros->Item(i, item.Receive()))))
            return true;
        if (!ReadName(item.Get(), count) || FAILED(count(L"GetId", item->GetId(&id))) ||
            FAILED(count(L"IMacro::GetData", item->GetData(&size, &data))))
            return false;
        CoTaskMemFree(data);
    }
}
}

bool BareRead(IDevice* device, size_t buttonCount, CallCounts& count)
{
    CComPtr<IProfileManager> profiles;
    CComPtr<IProfile> active;
    GUID activeId = {};
    if (!Manager(device, IID_IProfileManager, profiles, count) ||
        FAILED(count(L"IProfileManager::GetActive", profiles->GetActive(active.Receive()))) ||
        FAILED(count(L"GetId", active->GetId(&activeId))))
        return false;
    for (LONG i = 0;; ++i) {
        CComPtr<IProfile> item;
        GUID id = {};
        if (FAILED(count(L"IProfileManager::Item", profiles->Item(i, item.Receive()))))
            break;
        if (FAILED(count(L"GetId", item->GetId(&id))) || !ReadProperties(item.Get(), count) ||
            !ReadKeymaps(item.Get(), buttonCount, count) || !ReadLeds(item.Get(), count))
            return false;
    }
    return ReadMacros(device, count);
}
