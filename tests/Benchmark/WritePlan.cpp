#include "WritePlan.h"

#include "FullStore.h"
#include "KeyTranslation.h"

#include <cwchar>

namespace
{
GUID IdOf(IKeypadProfile* profile)
{
    GUID id = GUID_NULL;
    profile->GetGUID(&id);
    return id;
}

KeymapPlan PlanKeymap(IKeypadConfig& store, IKeypadProfile* profile, CKeymap* keymap, const CKeyDefTable& keys,
    const std::vector<uint32_t>& keyCodes, const std::vector<uint32_t>& buttonBits)
{
    KeymapPlan plan;
    plan.id = keymap->GetGUID();
    plan.name = keymap->GetName();
    for (uint32_t bit : buttonBits) {
        const int button = DeviceBitToButton(bit);
        if (!profile->IsKeyItemChanged(0, button))
            continue;
        CAssignment assignment;
        store.GetButtonAssignment(&assignment, tKeypadButton(button), profile, keymap);
        plan.buttons.push_back(MakeServiceAssignment(assignment, ButtonToDeviceCode(button)));
    }
    for (uint32_t code : keyCodes) {
        const int32_t keyId = KeyIdOfDeviceCode(keys, code);
        if (keyId == 0)
            continue;
        CAssignment assignment;
        store.GetKeyAssignment(&assignment, keyId, profile, keymap);
        plan.keys.push_back(MakeServiceAssignment(assignment, code));
    }
    return plan;
}

ProfilePlan PlanProfile(IKeypadConfig& store, IKeypadProfile* profile, const CKeyDefTable& keys,
    const std::vector<uint32_t>& keyCodes, const std::vector<uint32_t>& buttonBits)
{
    ProfilePlan plan;
    plan.id = IdOf(profile);
    plan.name = profile->GetName();
    const CString application = profile->GetApplicationName();
    wmemcpy(reinterpret_cast<wchar_t*>(plan.application), application.GetString(), static_cast<size_t>(application.GetLength()));
    const bool values[3] = { !application.IsEmpty() && profile->GetAutoSwitch(), profile->GetOption(), profile->IsOsdEnabled() };
    for (int f = 0; f < 3; ++f) {
        plan.flags[f][0] = static_cast<uint16_t>(1 << f);
        plan.flags[f][1] = values[f] ? plan.flags[f][0] : 0;
    }
    for (int k = 0; k < profile->GetKeymapCount(); ++k)
        plan.keymaps.push_back(PlanKeymap(store, profile, profile->GetKeymap(k), keys, keyCodes, buttonBits));
    plan.currentKeymap = profile->GetCurrentKeymap()->GetGUID();
    for (int l = 0; l < 11; ++l) {
        const tLEDType led = tLEDType(l);
        const LONG effect = store.GetLedEffect(led, profile);
        plan.leds[l] = { profile->IsLedItemChanged(3, led), profile->IsLedItemChanged(4, led), store.GetLedState(led, profile), store.GetLedColour(led, profile),
            static_cast<LONG>(store.GetLedBrightness(led, profile)), effect >= 1 && effect <= 5 ? effect : 0 };
    }
    return plan;
}
}

WritePlan MakeWritePlan(IKeypadConfig& store, const CKeyDefTable& keys, const std::vector<uint32_t>& keyCodes,
    const std::vector<uint32_t>& buttonBits)
{
    WritePlan plan;
    for (int i = 0; i < store.GetProfileCount(); ++i)
        plan.profiles.push_back(PlanProfile(store, store.GetProfile(i), keys, keyCodes, buttonBits));
    plan.activeProfile = IdOf(store.GetActiveProfile());
    for (int m = 0; m < store.GetMacroCount(); ++m) {
        CMacro* macro = store.GetMacro(m);
        plan.macros.push_back({ macro->GetName(), MacroEventsToMacroData(macro->m_events) });
    }
    return plan;
}
