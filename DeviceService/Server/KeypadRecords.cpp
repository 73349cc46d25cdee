#include "KeypadRecords.h"

#include <objbase.h>

#include <cstring>

namespace {

// Device codes of the 24 keys (scan codes, plus 0x20000 for an E0 key) in the order of
// the keypad's buttons 1-16 and 20-27.
const DWORD kDefaultKeyCodes[] = {
    0x0F, 0x10, 0x11, 0x12, 0x13, 0x3A, 0x1E, 0x1F, 0x20, 0x21, 0x2A, 0x2C,
    0x2D, 0x2E, 0x39, 0x38, 0x20048, 0x20050, 0x2004B, 0x2004D, 0x20047, 0x20049,
    0x2004F, 0x20051,
};

// The scroll wheel: device button code and the function code of its default (click
// scrolling, scroll up, scroll down).
const DWORD kDefaultButtons[][2] = { { 3, 3 }, { 8, 6 }, { 9, 7 } };

constexpr DWORD kExtendedKeyBit = 0x1000000;

void PutU16(BYTE* at, uint16_t value) { std::memcpy(at, &value, sizeof value); }
void PutU32(BYTE* at, uint32_t value) { std::memcpy(at, &value, sizeof value); }

ServiceAssignment MakeKeystrokeRecord(DWORD code)
{
    ServiceAssignment record{};
    record.header = 1;
    record.code = code;
    record.type = 5;
    PutU16(record.data, static_cast<uint16_t>(code & 0xFFFF));
    PutU32(record.data + 2, (code & 0x20000) ? kExtendedKeyBit : 0);
    return record;
}

ServiceAssignment MakeButtonRecord(DWORD code, DWORD function)
{
    ServiceAssignment record{};
    record.header = 1;
    record.code = code;
    record.type = 1;
    PutU32(record.data, function);
    return record;
}

template <class T>
T* FindById(std::vector<T>& items, const GUID& id)
{
    for (T& item : items) {
        if (IsEqualGUID(item.id, id))
            return &item;
    }
    return nullptr;
}

}

GUID NewGuid()
{
    GUID id{};
    if (FAILED(CoCreateGuid(&id)))
        id = GUID{};
    return id;
}

SimKeymap MakeDefaultKeymap(const std::wstring& name)
{
    SimKeymap keymap;
    keymap.id = NewGuid();
    keymap.name = name;
    for (DWORD code : kDefaultKeyCodes)
        keymap.keys.push_back(MakeKeystrokeRecord(code));
    for (const auto& button : kDefaultButtons)
        keymap.buttons.push_back(MakeButtonRecord(button[0], button[1]));
    return keymap;
}

SimProfile MakeDefaultProfile(const std::wstring& name)
{
    SimProfile profile;
    profile.id = NewGuid();
    profile.name = name;
    for (int i = 1; i <= kKeymapsPerProfile; ++i)
        profile.keymaps.push_back(MakeDefaultKeymap(L"Keymap " + std::to_wstring(i)));
    profile.activeKeymap = profile.keymaps.front().id;
    for (LONG id = 1; id <= kLedCount; ++id) {
        SimLed led;
        led.id = id;
        profile.leds.push_back(led);
    }
    return profile;
}

SimKeypad MakeFactoryKeypad()
{
    SimKeypad keypad;
    keypad.profiles.push_back(MakeDefaultProfile(L"Profile 1"));
    keypad.activeProfile = keypad.profiles.front().id;
    return keypad;
}

void RenewIds(SimProfile& profile)
{
    profile.id = NewGuid();
    for (SimKeymap& keymap : profile.keymaps) {
        const bool active = IsEqualGUID(keymap.id, profile.activeKeymap);
        keymap.id = NewGuid();
        if (active)
            profile.activeKeymap = keymap.id;
    }
}

SimProfile* FindProfile(SimKeypad& keypad, const GUID& id) { return FindById(keypad.profiles, id); }
SimKeymap* FindKeymap(SimProfile& profile, const GUID& id) { return FindById(profile.keymaps, id); }
SimMacro* FindMacro(SimKeypad& keypad, const GUID& id) { return FindById(keypad.macros, id); }
SimApplication* FindApplication(SimKeypad& keypad, const GUID& id) { return FindById(keypad.applications, id); }

SimLed* FindLed(SimProfile& profile, LONG ledId)
{
    for (SimLed& led : profile.leds) {
        if (led.id == ledId)
            return &led;
    }
    return nullptr;
}
