#include "FullStore.h"

#include "CString.h"
#include "GuidText.h"
#include "KeyTranslation.h"

namespace
{
GUID IdOf(IKeypadProfile* profile)
{
    GUID id = {};
    profile->GetGUID(&id);
    return id;
}

// The n-th key assignment of a key map: the kinds a key can take, in turn.
CAssignment KeyAssignment(int n, IKeypadProfile* profile, IKeypadProfile* other, int keymapIndex, const GUID& application)
{
    CAssignment record;
    switch (n % 14) {
    case 0:
        MakeAssignment(kAssignSingleKey, record, 0, 0, 0, 0).payload[0] = static_cast<uint8_t>(0x3B + n % 10);
        return record;
    case 1:
        return Referring(kAssignProfile, IdOf(other));
    case 2:
        return Referring(kAssignKeymap30, profile->GetKeymap((keymapIndex + 1) % profile->GetKeymapCount())->GetGUID());
    case 3:
        return Referring(kAssignKeymap34, profile->GetKeymap((keymapIndex + 2) % profile->GetKeymapCount())->GetGUID());
    case 4:
        return Referring(kAssignLaunchProgram, application);
    case 5:
        MakeAssignment(kAssignJoystick, record, 0, 0, 0, 0);
        for (uint8_t b = 0; b < 6; ++b)
            record.payload[b] = static_cast<uint8_t>(b + 1 + n % 3);
        return record;
    default: {
        const int plain[] = { kAssignKeymap32, kAssignClick, kAssignMenu, kAssignUniversalScrolling, kAssignDoubleClick,
            kAssignForward, kAssignBackward, kAssignScrollUp };
        return MakeAssignment(plain[n % 14 - 6], record, 0, 0, 0, 0);
    }
    }
}

std::vector<CMacroEvent> MacroEvents(int macro, int count)
{
    std::vector<CMacroEvent> events;
    for (int e = 0; e < count; ++e) {
        switch ((e + macro) % 4) {
        case 0:
            events.push_back({ CMacroEvent::kKeystroke, 0x1E + e % 20, CMacroEvent::kKeyDown });
            break;
        case 1:
            events.push_back({ CMacroEvent::kKeystroke, 0x1E + e % 20, CMacroEvent::kKeyUp });
            break;
        case 2:
            events.push_back({ CMacroEvent::kMouseButton, 1 + e % 3, e % 8 < 4 ? CMacroEvent::kKeyDown : CMacroEvent::kKeyUp });
            break;
        default:
            events.push_back({ CMacroEvent::kDelay, 10 + e % 90, 0 });
            break;
        }
    }
    return events;
}

void FillProfile(IKeypadConfig& store, const CKeyDefTable& keys, const std::vector<uint32_t>& keyCodes,
    const std::vector<uint32_t>& buttonBits, int index, const GUID& application)
{
    IKeypadProfile* profile = store.GetProfile(index);
    IKeypadProfile* other = store.GetProfile((index + 1) % store.GetProfileCount());
    profile->SetApplicationName(FormatString(L"game%02d.exe", index));
    profile->SetAutoSwitch(index % 2 == 0);
    profile->SetOption(index % 4 < 2);
    profile->SetOsdEnabled(index % 3 != 0);
    for (int k = 0; k < profile->GetKeymapCount(); ++k) {
        CKeymap* keymap = profile->GetKeymap(k);
        for (size_t c = 0; c < keyCodes.size(); ++c) {
            const int32_t keyId = KeyIdOfDeviceCode(keys, keyCodes[c]);
            if (keyId != 0)
                profile->SetKeyAssignment(keyId, KeyAssignment(index + k + static_cast<int>(c), profile, other, k, application), keymap);
        }
        const int buttonKinds[] = { kAssignDoubleClick, kAssignScrollUp, kAssignScrollDown, kAssignMenu, kAssignClick,
            kAssignForward, kAssignBackward };
        for (size_t b = 0; b < buttonBits.size(); ++b) {
            CAssignment record;
            profile->SetButtonAssignment(tKeypadButton(DeviceBitToButton(buttonBits[b])),
                MakeAssignment(buttonKinds[(index + k + static_cast<int>(b)) % 7], record, 0, 0, 0, 0), keymap);
        }
    }
    profile->SetCurrentKeymap(profile->GetKeymap(index % profile->GetKeymapCount()));
    for (int l = 0; l < 11; ++l) {
        const tLEDType led = tLEDType(l);
        profile->SetLedState(led, (index + l) % 2 == 1);
        profile->SetLedColour(led, RGB(10 * l, index, 255 - l));
        profile->SetLedBrightness(led, static_cast<unsigned int>((index * 5 + l) % 101));
        profile->SetLedEffect(led, tLEDEffect((index + l) % 6));
    }
}
}

CAssignment Referring(int kind, const GUID& id)
{
    uint32_t w[4];
    GuidToWords(id, w);
    CAssignment record;
    return MakeAssignment(kind, record, w[0], w[1], w[2], w[3]);
}

int32_t KeyIdOfDeviceCode(const CKeyDefTable& keys, uint32_t code)
{
    const uint32_t high = code >> 16;
    const uint32_t group = high == 2 ? 1 : (high == 4 ? 2 : 0);
    return keys.FindKeyByScanCode((code & 0xFFFF) | group << 16);
}

void AddFullStoreProfiles(IKeypadConfig& store, const FullStoreShape& shape)
{
    while (store.GetProfileCount() < shape.profiles)
        store.CreateProfile(FormatString(L"Profile %02d", store.GetProfileCount() + 1));
}

void FillFullStore(IKeypadConfig& store, const CKeyDefTable& keys, const std::vector<uint32_t>& keyCodes,
    const std::vector<uint32_t>& buttonBits, const FullStoreShape& shape)
{
    CKvApp* application = store.AddApplication(L"C:\\Games\\game.exe");
    application->m_id = GuidFromWords(1, 2, 3, 4);
    for (int i = 0; i < store.GetProfileCount(); ++i)
        FillProfile(store, keys, keyCodes, buttonBits, i, application->m_id);
    store.SetActiveProfile(store.GetProfile(7 % store.GetProfileCount()));
    for (int m = 0; m < shape.macros; ++m) {
        CMacro* macro = store.AddMacro(FormatString(L"Macro %03d", m));
        if (macro)
            macro->m_events = MacroEvents(m, shape.eventsPerMacro);
    }
}
