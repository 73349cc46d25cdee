// What a whole write of the benchmark's store sends to the device service, worked out from
// the store before the clock starts, so that the bare runs make only service calls.
#pragma once

#include "CKeyDefTable.h"
#include "CString.h"
#include "DeviceService.h"
#include "IKeypadConfig.h"

#include <cstdint>
#include <vector>

struct KeymapPlan
{
    GUID id = GUID_NULL;
    CString name;
    std::vector<ServiceAssignment> keys;
    std::vector<ServiceAssignment> buttons;
};

// One LED, by its place in the store (device LED id - 1). State and colour go out only
// when they changed, as the device layer sends them.
struct LedPlan
{
    bool stateChanged = false;
    bool colourChanged = false;
    bool on = false;
    DWORD colour = 0;
    LONG brightness = 0;
    LONG effect = 0;
};

struct ProfilePlan
{
    GUID id = GUID_NULL;
    CString name;
    BYTE application[256] = {};
    // The {mask, value} records of the flag word: auto switch, option, notice.
    uint16_t flags[3][2] = {};
    std::vector<KeymapPlan> keymaps;
    GUID currentKeymap = GUID_NULL;
    LedPlan leds[11];
};

struct MacroPlan
{
    CString name;
    std::vector<uint8_t> data;
};

struct WritePlan
{
    std::vector<ProfilePlan> profiles;
    GUID activeProfile = GUID_NULL;
    std::vector<MacroPlan> macros;
};

// The store's profiles and key maps have their ids; its macros are new.
WritePlan MakeWritePlan(IKeypadConfig& store, const CKeyDefTable& keys, const std::vector<uint32_t>& keyCodes,
    const std::vector<uint32_t>& buttonBits);
